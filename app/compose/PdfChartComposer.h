#pragma once
// The chart composer the save flow drives: TPdfCreate behind the ChartComposer interface. Texts
// arrive as UTF-8 and reach the PDF as code page 932. The image work of expected pages runs
// ahead on worker threads, at most one page per core and no more decoded pixels at once than
// kWorkerDecodeBudget (a large page is decoded alone), at most kLookahead pages ahead; pages are
// printed in order on the caller's thread. Discarding drops the pages not yet started.
#include "app/compose/ChartComposer.h"
#include "app/compose/TPdfCreate.h"
#include "app/work/OrderedJobs.h"

#include <deque>

namespace quillora {

class PdfChartComposer final : public ChartComposer {
public:
    explicit PdfChartComposer(std::shared_ptr<const TPdfClock> clock = DefaultPdfClock());

    // Pages prepared ahead of the one being printed, beyond one per worker.
    static constexpr int kLookahead = 2;

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
    PageImage TakePageImage(const std::string& file);
    void DropExpectedPages();

    TPdfCreate composer_;
    PageImageSettings imageSettings_;
    std::deque<std::string> expected_;    // the files of the jobs below, in order
    work::OrderedJobs<PageImage> images_; // last: its workers stop before the members above go
};

} // namespace quillora
