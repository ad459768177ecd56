#pragma once
// A report set up the way the chart composer uses it: one page with a layout panel at
// (33, 33), an unshared, unstretched JPEG item at (0, 0) and an annotation item at (744, 8).
#include <memory>

#include "PdfTestSupport.h"
#include "pdf/PRItems.h"
#include "pdf/PROutlines.h"
#include "pdf/PReport.h"

namespace pdftest {

struct ChartReport {
    explicit ChartReport(
        std::shared_ptr<TPdfRandom> random = std::make_shared<TPdfSequenceRandom>(std::vector<int>{4242}))
        : report(FixedClock())
    {
        report.SetUseOutlines(true);
        report.SetPageMode(pmUseOutlines);
        report.SetCreationDate({2006, 11, 17, 14, 25, 6});
        page.SetBounds(0, 0, 700, 1000);
        panel.SetParent(&page);
        panel.SetBounds(33, 33, 634, 934);
        image.SetParent(&panel);
        image.SharedImage = false;
        image.Stretch = false;
        image.SetRandom(std::move(random));
        annotation.SetParent(&panel);
        annotation.SetBounds(744, 8, 100, 30);
        annotation.Caption = "PRAnnotation1";
        page.OnPrintPage = [this](TPRPage&, TPRCanvas&) {
            TPRDestination& destination = report.CreateDestination();
            destination.SetKind(dtXYZ);
            destination.SetLeft(0);
            destination.SetTop(0);
            destination.SetZoom(1);
            report.SetOpenAction(destination);
            lastDestination = &destination;
        };
    }

    // Prints one page with the picture and (when given) annotation lines.
    void AddPage(const TPdfJpegPicture& jpeg, std::vector<std::string> lines = {})
    {
        image.SetBounds(0, 0, jpeg.Width, jpeg.Height);
        image.SetPicture(jpeg);
        annotation.SetPrintable(!lines.empty());
        annotation.SetLines(std::move(lines));
        report.PrintPage(page);
    }

    void AddOutline(std::string title)
    {
        TPROutlineEntry& entry = report.GetOutlineRoot().AppendChild();
        entry.SetTitle(std::move(title));
        entry.SetDest(*lastDestination);
        entry.SetOpened(true);
    }

    TPReport report;
    TPRPage page{"PRPage1"};
    TPRLayoutPanel panel{"PRLayoutPanel1"};
    TPRJpegImage image{"PRJpegImage1"};
    TPRAnnotation annotation{"PRAnnotation1"};
    TPRDestination* lastDestination = nullptr;
};

} // namespace pdftest
