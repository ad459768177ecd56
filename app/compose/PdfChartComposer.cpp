#include "app/compose/PdfChartComposer.h"

#include "imaging/ImageHeader.h"
#include "imaging/ImageLimits.h"
#include "imaging/NativeNames.h"
#include "pdf/PdfExceptions.h"
#include "platform/Cp932.h"

namespace quillora {

PdfChartComposer::PdfChartComposer(std::shared_ptr<const TPdfClock> clock)
    : composer_(std::move(clock)),
      images_({work::CoreCount(), work::CoreCount() + kLookahead, imaging::kWorkerDecodeBudget})
{
}

void PdfChartComposer::DropExpectedPages()
{
    images_.Clear(); // waits for image work still running
    expected_.clear();
}

void PdfChartComposer::Begin(const ChartPageSetup& setup, const LocalDateTime& creationDate)
{
    DropExpectedPages();
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
    for (const std::string& file : imageFiles) {
        // A crop decodes no more than the image area, yet the whole image is declared: a JPEG
        // is cut short only at the bottom, and other formats are decoded whole anyway.
        auto cost = [file] { return imaging::DecodedBytesEstimate(imaging::NativeToQString(file)); };
        images_.Submit(std::move(cost),
                       [file, settings = imageSettings_] { return PreparePageImage(file, settings); });
        expected_.push_back(file);
    }
}

// The prepared image when the page was expected next; otherwise the expectation no longer
// holds and the image work is done here. A failed preparation throws what the work threw.
PageImage PdfChartComposer::TakePageImage(const std::string& file)
{
    if (!expected_.empty() && expected_.front() == file) {
        expected_.pop_front();
        work::JobOutcome<PageImage> outcome = images_.TakeNext();
        if (!outcome.ok())
            std::rethrow_exception(outcome.error);
        return std::move(*outcome.value);
    }
    DropExpectedPages();
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
    DropExpectedPages();
    return composer_.EndPdfToBytes();
}

void PdfChartComposer::Discard() noexcept
{
    DropExpectedPages();
    composer_.PageDest = nullptr;
    composer_.PReport1.DiscardDocument();
}

} // namespace quillora
