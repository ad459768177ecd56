#pragma once
// The chart composer the save flow drives: TPdfCreate behind the ChartComposer interface. Texts
// arrive as UTF-8 and reach the PDF as code page 932. The image work of expected pages runs up
// to kLookahead pages ahead on worker threads; pages are printed in order on the caller's
// thread, so at most kLookahead page images are decoded at once.
#include "app/compose/ChartComposer.h"
#include "app/compose/TPdfCreate.h"

#include <deque>
#include <future>

namespace quillora {

class PdfChartComposer final : public ChartComposer {
public:
    explicit PdfChartComposer(std::shared_ptr<const TPdfClock> clock = DefaultPdfClock())
        : composer_(std::move(clock))
    {
    }

    static constexpr std::size_t kLookahead = 2;

    ~PdfChartComposer() override { Discard(); }

    void Begin(const ChartPageSetup& setup, const LocalDateTime& creationDate) override;
    void Expect(const std::vector<std::string>& imageFiles) override;
    void AddPage(const std::string& imageFile, const std::optional<std::vector<std::string>>& note) override;
    void AddOutline(const std::string& title) override;
    int PageCount() const override { return composer_.PReport1.PageCount(); }
    std::string Finish() override;
    void Discard() noexcept override;

    TPdfCreate& Composer() { return composer_; }

private:
    struct PendingPage {
        std::string file;
        std::future<PageImage> image;
    };
    void StartExpectedPages();
    PageImage TakePageImage(const std::string& file);

    TPdfCreate composer_;
    PageImageSettings imageSettings_;
    std::deque<std::string> expected_;
    std::deque<PendingPage> pending_;
};

} // namespace quillora
