#pragma once
// The chart composer: one report with one page layout (margins 32, a layout panel at (33, 33),
// an unshared, unstretched JPEG item and the annotation item "PRAnnotation1" at (744, 8)),
// printed once per chart page with that page's image. Every page makes a destination at its
// top-left corner, zoom 1, and makes it the open action, so the chart opens at its last page.
//
// Use: set PdfWidth/PdfHeight; BeginPdf; set JpegQuality and StretchToFit; per page set
// ImageFile and the annotation's lines and printable flag, AddImagePage, read PageDest; EndPdf.
// Texts given to the report (annotation lines, outline titles) are code page 932 bytes.
#include "app/compose/PageImage.h"
#include "pdf/PRItems.h"
#include "pdf/PROutlines.h"
#include "pdf/PReport.h"

#include <cstdint>
#include <memory>
#include <string>

class TPdfCreate {
public:
    explicit TPdfCreate(std::shared_ptr<const TPdfClock> clock = DefaultPdfClock());
    TPdfCreate(const TPdfCreate&) = delete;
    TPdfCreate& operator=(const TPdfCreate&) = delete;

    bool StretchToFit = false;
    std::string ImageFile;
    std::int32_t PdfWidth = 700;
    std::int32_t PdfHeight = 1000;
    std::int32_t CropWidth = 0;
    std::int32_t CropHeight = 0;
    std::int32_t AreaWidth = 0;
    std::int32_t AreaHeight = 0;
    std::int32_t JpegQuality = 80;
    // The destination of the page printed last (valid until the document ends).
    TPRDestination* PageDest = nullptr;

    TPReport PReport1;
    TPRPage PRPage1{"PRPage1"};
    TPRLayoutPanel PRLayoutPanel1{"PRLayoutPanel1"};
    TPRJpegImage PRJpegImage1{"PRJpegImage1"};
    TPRAnnotation PRAnnotation1{"PRAnnotation1"};

    // Sizes the page and the image area, names the file and starts the document.
    void BeginPdf(const std::string& path);
    // Reads ImageFile, crops or scales it to the area, encodes it and prints one page.
    // Throws quillora::PageImageError when the image cannot be read or decoded.
    void AddImagePage();
    // The image work of AddImagePage, as settings for PreparePageImage (clamps JpegQuality).
    quillora::PageImageSettings PageImageSettings();
    // Prints one page with an image already prepared with PageImageSettings().
    void AddPreparedPage(const quillora::PageImage& image);
    // Writes the document to the file named at BeginPdf.
    void EndPdf();
    // Writes the document into memory and returns the bytes of the file.
    std::string EndPdfToBytes();

    void PRPage1PrintPage(TPRPage& sender, TPRCanvas& canvas);

private:
    std::size_t imageBytes_ = 0; // the page images' JPEG data in the document
};
