#pragma once
// The chart composer the save flow drives: TPdfCreate behind the ChartComposer interface. Texts
// arrive as UTF-8 and reach the PDF as code page 932.
#include "app/compose/ChartComposer.h"
#include "app/compose/TPdfCreate.h"

namespace quillora {

class PdfChartComposer final : public ChartComposer {
public:
    explicit PdfChartComposer(std::shared_ptr<const TPdfClock> clock = DefaultPdfClock())
        : composer_(std::move(clock)) {}

    void Begin(const ChartPageSetup& setup, const LocalDateTime& creationDate) override;
    void AddPage(const std::string& imageFile,
                 const std::optional<std::vector<std::string>>& note) override;
    void AddOutline(const std::string& title) override;
    int PageCount() const override { return composer_.PReport1.PageCount(); }
    std::string Finish() override;
    void Discard() noexcept override;

    TPdfCreate& Composer() { return composer_; }

private:
    TPdfCreate composer_;
};

} // namespace quillora
