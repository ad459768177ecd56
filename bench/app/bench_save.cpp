// Saves a 20-page chart of generated A4 300-dpi colour scans in crop and in stretch mode and
// prints the time per page beside the same run's bare libjpeg work for those pages, and the
// peak memory of the save.
#include "BareJpeg.h"
#include "app/compose/PdfChartComposer.h"
#include "app/save/ChartSaver.h"
#include "archive/TDirFile.h"
#include "imaging/ImageFiles.h"
#include "logs/ChartLog.h"
#include "settings/TRegistory.h"

#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace quillora;

namespace {

constexpr int kPages = 20;
constexpr int kA4Width = 2480, kA4Height = 3508;
constexpr int kRounds = 7;

class QuietQuestions final : public save::SaveQuestions {
public:
    void NotOverwrite(const std::string&) override { }
    void NotMakeFolder(const std::string& what) override
    {
        std::fprintf(stderr, "cannot make %s\n", what.c_str());
    }
    save::DeleteChoice NotDelete(const std::string&) override { return save::DeleteChoice::Next; }
    bool ConfirmClearFolder(const std::string&) override { return false; }
    void Started(int) override { }
    void PageDone(int, const std::string&) override { }
};

// A scan-like page: off-white paper with grain, a coloured letterhead, dark lines of "text".
QImage ScanPage(int seed)
{
    std::mt19937 random(static_cast<unsigned>(seed));
    QImage page(kA4Width, kA4Height, QImage::Format_RGB888);
    for (int y = 0; y < kA4Height; ++y) {
        unsigned char* row = page.scanLine(y);
        const bool header = y > 150 && y < 420;
        const bool textLine = y > 600 && (y / 40) % 2 == 0 && (y % 40) > 8;
        for (int x = 0; x < kA4Width; ++x) {
            int r = 245, g = 243, b = 238;
            if (header && x > 200 && x < 2280) {
                r = 40 + (x + seed * 50) % 120;
                g = 90;
                b = 160 - y % 60;
            } else if (textLine && x > 250 && x < 2230 && ((x / 18 + y / 40 + seed) % 7) != 0 &&
                       (random() & 3) != 0) {
                r = g = b = 30;
            }
            const int grain = static_cast<int>(random() % 9) - 4;
            row[x * 3] = static_cast<unsigned char>(std::clamp(r + grain, 0, 255));
            row[x * 3 + 1] = static_cast<unsigned char>(std::clamp(g + grain, 0, 255));
            row[x * 3 + 2] = static_cast<unsigned char>(std::clamp(b + grain, 0, 255));
        }
    }
    return page;
}

long ProcStatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct ModeFigures {
    double saveMsPerPage = 1e30;
    double composeMsPerPage = 1e30;
    double bareMsPerPage = 1e30;
    long peakKb = 0;
    long long chartBytes = 0;
};

TRegistory BenchSettings(bool stretch, const fs::path& work)
{
    TRegistory settings;
    settings.ScannerDir = (work / "scan").string();
    settings.Target = (work / "charts").string();
    settings.FolderClear = false;
    settings.WriteInhibit = false;
    settings.WriteDate = false;
    settings.FirstPage = true;
    settings.Stretch = stretch;
    settings.Quality = 80;
    return settings;
}

std::vector<std::string> PageFiles(const fs::path& work)
{
    std::vector<std::string> files;
    for (int page = 0; page < kPages; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, "scan%02d.jpg", page + 1);
        files.push_back((work / "scan" / name).string());
    }
    return files;
}

// One save in a fresh process, so that its peak resident size is its own: prints the save's
// milliseconds, the composition's milliseconds, the peak growth in kB and the chart's bytes.
int ChildSave(bool stretch, const fs::path& work)
{
    const TRegistory settings = BenchSettings(stretch, work);
    save::SaveRequest request{"12345", "0", {}, std::nullopt};
    for (const auto& file : PageFiles(work))
        request.pages.push_back({file, std::nullopt, {}});
    TDirFile dirFile;
    PdfChartComposer composer;
    QuietQuestions questions;
    ChartLog saveLog, errorLog;
    save::ChartSaver saver(settings, dirFile, composer, questions, saveLog, errorLog);
    const long baseKb = ProcStatusKb("VmRSS");
    // A workstation saves chart after chart in one process: one save first, as a warm-up.
    request.patientText = "1";
    saver.Save(request);
    request.patientText = "12345";
    auto start = std::chrono::steady_clock::now();
    const auto result = saver.Save(request);
    const double saveMs = Seconds(std::chrono::steady_clock::now() - start) * 1000;
    if (!result.saved()) {
        std::fprintf(stderr, "save failed: %s\n", result.message.c_str());
        return 1;
    }
    const long peakKb = ProcStatusKb("VmHWM") - baseKb;

    // The composition alone (no file, no verification), for the breakdown.
    start = std::chrono::steady_clock::now();
    composer.Begin({settings.PdfPageWidth, settings.PdfPageHeight, settings.Quality, stretch},
                   CurrentLocalTime());
    composer.Expect(PageFiles(work));
    for (const auto& page : request.pages)
        composer.AddPage(page.FileName, std::nullopt);
    composer.Finish();
    const double composeMs = Seconds(std::chrono::steady_clock::now() - start) * 1000;
    std::printf("%f %f %ld %lld\n", saveMs, composeMs, peakKb,
                static_cast<long long>(fs::file_size(result.chartPath)));
    return 0;
}

ModeFigures RunMode(bool stretch, const fs::path& work, const char* self)
{
    const std::vector<std::string> files = PageFiles(work);
    ModeFigures figures;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (const auto& file : files) {
            if (stretch)
                bench::BareStretchPage(file, 633, 896, 80);
            else
                bench::BareCropPage(file, 634, 934, 80);
        }
        figures.bareMsPerPage = std::min(figures.bareMsPerPage,
                                         Seconds(std::chrono::steady_clock::now() - start) * 1000 / kPages);

        std::string command = "\"";
        command.append(self).append("\" --child ").append(stretch ? "stretch" : "crop");
        command.append(" \"").append(work.string()).append("\"");
        std::unique_ptr<FILE, int (*)(FILE*)> child(::popen(command.c_str(), "r"), ::pclose);
        double saveMs = 0, composeMs = 0;
        long peakKb = 0;
        long long chartBytes = 0;
        if (!child ||
            std::fscanf(child.get(), "%lf %lf %ld %lld", &saveMs, &composeMs, &peakKb, &chartBytes) != 4) {
            std::fprintf(stderr, "the measuring process failed\n");
            std::exit(1);
        }
        figures.saveMsPerPage = std::min(figures.saveMsPerPage, saveMs / kPages);
        figures.composeMsPerPage = std::min(figures.composeMsPerPage, composeMs / kPages);
        figures.peakKb = std::max(figures.peakKb, peakKb);
        figures.chartBytes = chartBytes;
    }
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--child")
        return ChildSave(std::string(argv[2]) == "stretch", argv[3]);

    std::string pattern = (fs::temp_directory_path() / "qbench-save-XXXXXX").string();
    const fs::path work = ::mkdtemp(pattern.data());
    fs::create_directories(work / "scan");
    fs::create_directories(work / "charts");
    const std::vector<std::string> files = PageFiles(work);
    long long scanBytes = 0;
    for (int page = 0; page < kPages; ++page) {
        imaging::writeImageFile(ScanPage(page), QString::fromStdString(files[page]));
        scanBytes += static_cast<long long>(fs::file_size(files[page]));
    }
    std::printf("chart of %d generated A4 300-dpi colour scans (%d x %d), %.1f MB of JPEG input\n", kPages,
                kA4Width, kA4Height, scanBytes / 1e6);
    const double decodedPageMb = kA4Width * static_cast<double>(kA4Height) * 3 / 1e6;

    for (const bool stretch : {false, true}) {
        const ModeFigures f = RunMode(stretch, work, argv[0]);
        const double peakMb = f.peakKb * 1024 / 1e6;
        const double budgetMb = 3 * decodedPageMb + f.chartBytes / 1e6;
        std::printf(
            "%-7s save %6.1f ms/page (composition alone %6.1f)   bare libjpeg %6.1f ms/page   ratio %.2f"
            " (target <= %.2f on two idle cores)\n",
            stretch ? "stretch" : "crop", f.saveMsPerPage, f.composeMsPerPage, f.bareMsPerPage,
            f.saveMsPerPage / f.bareMsPerPage, stretch ? 0.60 : 0.65);
        std::printf("        peak memory growth of the save %.1f MB   budget %.1f MB (3 decoded pages %.1f"
                    " + chart %.1f)\n",
                    peakMb, budgetMb, 3 * decodedPageMb, f.chartBytes / 1e6);
    }
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
