// Writes a 500-page chart with a 150 KB JPEG per page and reports time and peak memory.
// Usage: bench_pdf [output.pdf] [pages] [image bytes]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pdf/PRItems.h"
#include "pdf/PROutlines.h"
#include "pdf/PReport.h"

namespace {

long PeakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A fresh buffer per page, as the composer produces one JPEG per page.
TPdfJpegPicture PageJpeg(std::size_t bytes, int page)
{
    auto data = std::make_shared<std::vector<std::uint8_t>>(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        (*data)[i] = static_cast<std::uint8_t>(i * 31 + page);
    return {std::move(data), 634, 934};
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path output = argc > 1
                                             ? std::filesystem::path(argv[1])
                                             : std::filesystem::temp_directory_path() / "quillora_bench.pdf";
    const int pages = argc > 2 ? std::atoi(argv[2]) : 500;
    const std::size_t imageBytes = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 150 * 1024;
    const long baseline = PeakResidentKilobytes();

    TPReport report;
    report.SetUseOutlines(true);
    report.SetPageMode(pmUseOutlines);
    report.SetFileName(output.string());
    TPRPage page("PRPage1");
    page.SetBounds(0, 0, 700, 1000);
    TPRLayoutPanel panel("PRLayoutPanel1");
    panel.SetParent(&page);
    panel.SetBounds(33, 33, 634, 934);
    TPRJpegImage image("PRJpegImage1");
    image.SetParent(&panel);
    image.SetBounds(0, 0, 634, 934);
    image.SharedImage = false;
    image.Stretch = false;
    TPRAnnotation annotation("PRAnnotation1");
    annotation.SetParent(&panel);
    annotation.SetBounds(744, 8, 100, 30);
    TPRDestination* destination = nullptr;
    page.OnPrintPage = [&](TPRPage&, TPRCanvas&) {
        destination = &report.CreateDestination();
        destination->SetTop(0);
        report.SetOpenAction(*destination);
    };

    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration making{};
    report.StartDocument();
    for (int i = 0; i < pages; ++i) {
        const auto made = std::chrono::steady_clock::now();
        TPdfJpegPicture jpeg = PageJpeg(imageBytes, i);
        making += std::chrono::steady_clock::now() - made;
        image.SetPicture(std::move(jpeg));
        annotation.SetLines({"page " + std::to_string(i + 1)});
        report.PrintPage(page);
        if (i % 10 == 0) {
            TPROutlineEntry& entry = report.GetOutlineRoot().AppendChild();
            entry.SetTitle("\x8C\x9F\x8D\xB8");
            entry.SetDest(*destination);
        }
    }
    image.SetPicture(TPdfPicture{});
    const auto composed = std::chrono::steady_clock::now();
    report.FinishDocument();
    const auto finished = std::chrono::steady_clock::now();

    const double totalImageMb = static_cast<double>(imageBytes) * pages / (1024.0 * 1024.0);
    const double peakMb = PeakResidentKilobytes() / 1024.0;
    const double limitMb = 2 * totalImageMb + 64;
    const auto ms = [](auto from, auto to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    std::printf("pages: %d, image bytes per page: %zu, total image data: %.1f MB\n", pages, imageBytes,
                totalImageMb);
    std::printf("file: %s, %.1f MB\n", output.string().c_str(),
                static_cast<double>(std::filesystem::file_size(output)) / (1024.0 * 1024.0));
    const double makingMs = std::chrono::duration<double, std::milli>(making).count();
    std::printf(
        "time: making test images %.0f ms (not counted), compose %.0f ms, write %.0f ms, total %.0f ms\n",
        makingMs, ms(start, composed) - makingMs, ms(composed, finished), ms(start, finished) - makingMs);
    std::printf("peak memory: %.1f MB (before start %.1f MB), limit 2 x images + 64 MB = %.1f MB: %s\n",
                peakMb, baseline / 1024.0, limitMb, peakMb < limitMb ? "ok" : "EXCEEDED");
    std::filesystem::remove(output);
    return peakMb < limitMb ? 0 : 1;
}
