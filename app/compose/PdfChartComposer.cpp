#include "app/compose/PdfChartComposer.h"

#include "platform/Cp932.h"

namespace quillora {

void PdfChartComposer::Begin(const ChartPageSetup& setup, const LocalDateTime& creationDate)
{
    composer_.PReport1.DiscardDocument(); // document properties change only while idle
    composer_.PReport1.SetCreationDate({creationDate.year, creationDate.month, creationDate.day,
                                        creationDate.hour, creationDate.minute, creationDate.second});
    composer_.PdfWidth = setup.pdfWidth;
    composer_.PdfHeight = setup.pdfHeight;
    composer_.BeginPdf(composer_.PReport1.FileName());
    composer_.JpegQuality = setup.quality;
    composer_.StretchToFit = setup.stretch;
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
    composer_.AddImagePage();
}

void PdfChartComposer::AddOutline(const std::string& title)
{
    TPROutlineEntry& entry = composer_.PReport1.GetOutlineRoot().AppendChild();
    entry.SetTitle(platform::toCp932(title));
    entry.SetDest(*composer_.PageDest);
    entry.SetOpened(true);
}

std::string PdfChartComposer::Finish()
{
    return composer_.EndPdfToBytes();
}

void PdfChartComposer::Discard() noexcept
{
    composer_.PageDest = nullptr;
    composer_.PReport1.DiscardDocument();
}

} // namespace quillora
