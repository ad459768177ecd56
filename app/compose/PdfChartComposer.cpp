#include "app/compose/PdfChartComposer.h"

#include "pdf/PdfExceptions.h"
#include "platform/Cp932.h"

namespace quillora {

void PdfChartComposer::Begin(const ChartPageSetup& setup, const LocalDateTime& creationDate)
{
    expected_.clear();
    pending_.clear();
    composer_.PReport1.DiscardDocument(); // document properties change only while idle
    composer_.PReport1.SetCreationDate({creationDate.year, creationDate.month, creationDate.day,
                                        creationDate.hour, creationDate.minute, creationDate.second});
    composer_.PdfWidth = setup.pdfWidth;
    composer_.PdfHeight = setup.pdfHeight;
    composer_.BeginPdf(composer_.PReport1.FileName());
    composer_.JpegQuality = setup.quality;
    composer_.StretchToFit = setup.stretch;
    imageSettings_ = composer_.PageImageSettings();
}

void PdfChartComposer::Expect(const std::vector<std::string>& imageFiles)
{
    expected_.insert(expected_.end(), imageFiles.begin(), imageFiles.end());
    StartExpectedPages();
}

void PdfChartComposer::StartExpectedPages()
{
    while (pending_.size() < kLookahead && !expected_.empty()) {
        std::string file = std::move(expected_.front());
        expected_.pop_front();
        auto image = std::async(std::launch::async, PreparePageImage, file, imageSettings_);
        pending_.push_back({std::move(file), std::move(image)});
    }
}

// The prepared image when the page was expected next; otherwise the expectation no longer
// holds and the image work is done here.
PageImage PdfChartComposer::TakePageImage(const std::string& file)
{
    if (!pending_.empty() && pending_.front().file == file) {
        auto future = std::move(pending_.front().image);
        pending_.pop_front();
        PageImage image = future.get();
        StartExpectedPages();
        return image;
    }
    pending_.clear();
    expected_.clear();
    return PreparePageImage(file, imageSettings_);
}

void PdfChartComposer::AddPage(const std::string& imageFile,
                               const std::optional<std::vector<std::string>>& note)
{
    composer_.ImageFile = imageFile;
    std::vector<std::string> lines;
    if (note)
        for (const auto& line : *note)
            lines.push_back(platform::toCp932(line));
    composer_.PRAnnotation1.SetLines(std::move(lines));
    composer_.PRAnnotation1.SetPrintable(note.has_value());
    composer_.AddPreparedPage(TakePageImage(imageFile));
}

void PdfChartComposer::AddOutline(const std::string& title)
{
    // An outline entry points at the page added last; before the first page there is none.
    if (!composer_.PageDest)
        throw EPdfInvalidOperation("AddOutline --the page is nil.");
    TPROutlineEntry& entry = composer_.PReport1.GetOutlineRoot().AppendChild();
    entry.SetTitle(platform::toCp932(title));
    entry.SetDest(*composer_.PageDest);
    entry.SetOpened(true);
}

std::string PdfChartComposer::Finish()
{
    expected_.clear();
    pending_.clear();
    return composer_.EndPdfToBytes();
}

void PdfChartComposer::Discard() noexcept
{
    expected_.clear();
    pending_.clear(); // waits for image work still running
    composer_.PageDest = nullptr;
    composer_.PReport1.DiscardDocument();
}

} // namespace quillora
