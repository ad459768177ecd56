#include "app/compose/TPdfCreate.h"

#include "pdf/PdfOutput.h"

namespace {

// The composer's stored creation date; the save flow replaces it with the time of the save.
const TPdfDateTime kDesignCreationDate{2006, 11, 17, 14, 25, 6};

} // namespace

TPdfCreate::TPdfCreate(std::shared_ptr<const TPdfClock> clock) : PReport1(std::move(clock))
{
    PReport1.SetPageMode(pmUseOutlines);
    PReport1.SetUseOutlines(true);
    PReport1.SetCreationDate(kDesignCreationDate);

    PRPage1.SetBounds(0, 0, PdfWidth, PdfHeight);
    PRPage1.OnPrintPage = [this](TPRPage& sender, TPRCanvas& canvas) { PRPage1PrintPage(sender, canvas); };

    PRLayoutPanel1.SetParent(&PRPage1);
    PRLayoutPanel1.SetBounds(33, 33, PdfWidth - quillora::kPageImageInset,
                             PdfHeight - quillora::kPageImageInset);

    PRJpegImage1.SetParent(&PRLayoutPanel1);
    PRJpegImage1.SetBounds(0, 0, 100, 30);
    PRJpegImage1.Stretch = false;
    PRJpegImage1.SharedImage = false;

    PRAnnotation1.SetParent(&PRLayoutPanel1);
    PRAnnotation1.SetBounds(744, 8, 100, 30);
    PRAnnotation1.Caption = "PRAnnotation1";
    PRAnnotation1.Opened = false;
}

void TPdfCreate::BeginPdf(const std::string& path)
{
    PRPage1.SetWidth(PdfWidth);
    PRPage1.SetHeight(PdfHeight);
    AreaWidth = PdfWidth - quillora::kPageImageInset;
    AreaHeight = PdfHeight - quillora::kPageImageInset;
    PRLayoutPanel1.SetWidth(AreaWidth);
    PRLayoutPanel1.SetHeight(AreaHeight);
    PageDest = nullptr;
    imageBytes_ = 0;
    PReport1.SetFileName(path);
    PReport1.StartDocument();
}

quillora::PageImageSettings TPdfCreate::PageImageSettings()
{
    JpegQuality = quillora::ClampJpegQuality(JpegQuality);
    return {AreaWidth, AreaHeight, StretchToFit, JpegQuality};
}

void TPdfCreate::AddImagePage()
{
    AddPreparedPage(quillora::PreparePageImage(ImageFile, PageImageSettings()));
}

void TPdfCreate::AddPreparedPage(const quillora::PageImage& image)
{
    if (!StretchToFit) {
        CropWidth = image.width;
        CropHeight = image.height;
    }
    PRJpegImage1.SetBounds(0, 0, image.width, image.height);
    PRJpegImage1.SetPicture(TPdfJpegPicture{image.jpeg, image.width, image.height});
    imageBytes_ += image.jpeg->size();
    PReport1.PrintPage(PRPage1);
}

void TPdfCreate::EndPdf()
{
    PageDest = nullptr;
    PReport1.FinishDocument();
}

std::string TPdfCreate::EndPdfToBytes()
{
    // The page images make up nearly all of the file; the rest is a few kB per page.
    constexpr std::size_t kPageObjectBytes = 4096;
    TPdfMemoryStream stream;
    stream.Reserve(imageBytes_ + static_cast<std::size_t>(PReport1.PageCount() + 4) * kPageObjectBytes);
    PageDest = nullptr;
    PReport1.FinishDocument(stream);
    return stream.TakeBytes();
}

void TPdfCreate::PRPage1PrintPage(TPRPage&, TPRCanvas&)
{
    PageDest = &PReport1.CreateDestination();
    PageDest->SetKind(dtXYZ);
    PageDest->SetLeft(0);
    PageDest->SetTop(0);
    PageDest->SetZoom(1.0f);
    PReport1.SetOpenAction(*PageDest);
}
