#pragma once
// What the save flow needs of a chart composer: a document is begun with the page setup,
// receives the pages in order (each with its optional annotation and outline title) and is
// finished into the bytes of the whole PDF file. Writing those bytes to disk is the caller's
// business, so that it can verify them and publish the file under its name only when complete.
#include "app/compose/LocalDateTime.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillora {

struct ChartPageSetup {
    int pdfWidth = 700; // PDF page size in points
    int pdfHeight = 1000;
    int quality = 80;     // JPEG quality; brought into 50..100 when a page is added
    bool stretch = false; // scale to fit the image area instead of cropping
};

// A page image that exists but cannot be decoded. The save is refused naming the file.
class PageImageError : public std::runtime_error {
public:
    PageImageError(std::string file, const std::string& detail)
        : std::runtime_error(detail), file_(std::move(file))
    {
    }
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

class ChartComposer {
public:
    virtual ~ChartComposer() = default;

    // Starts a new document (an open one is discarded). `creationDate` goes into the
    // document information.
    virtual void Begin(const ChartPageSetup& setup, const LocalDateTime& creationDate) = 0;

    // Names the image files that AddPage will receive next, in order, so that their image
    // work can start ahead on worker threads. Optional: AddPage works without it.
    virtual void Expect(const std::vector<std::string>& imageFiles) { (void)imageFiles; }

    // Adds one page carrying the image of `imageFile`. With a note the page gets a printable
    // text annotation of its lines (also when there are none); without, none is printed.
    // Throws PageImageError when the image cannot be decoded.
    virtual void AddPage(const std::string& imageFile,
                         const std::optional<std::vector<std::string>>& note) = 0;

    // Appends an outline entry with `title` pointing at the page added last.
    virtual void AddOutline(const std::string& title) = 0;

    // Number of pages added since Begin.
    virtual int PageCount() const = 0;

    // Serialises the document and releases it. Throws the writer's errors (a document
    // without pages fails).
    virtual std::string Finish() = 0;

    // Releases an open document without output; harmless when none is open.
    virtual void Discard() noexcept = 0;
};

} // namespace quillora
