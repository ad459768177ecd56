// Times the image editor on an A4 300-dpi colour scan (2480 x 3508 JPEG, generated) at zoom 1.0:
// opening the page, one pen-drag event (stroke and repaint), a quarter turn and a save, and
// the peak memory of the editing session measured against one decoded page (32-bit pixels).
// Run with QT_QPA_PLATFORM=offscreen. Prints the median of several runs.
#include "editor/ui/ImageView.h"
#include "editor/ui/TImageShow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using quillora::editor::TImageShow;

namespace {

constexpr int kRuns = 5;
constexpr int kDragEvents = 400;
constexpr double kDecodedPageBytes = 2480.0 * 3508.0 * 4.0;

void writeA4Scan(const QString& fileName)
{
    QImage image(2480, 3508, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const bool text = ((x / 12) % 7 < 5) && ((y / 40) % 2 == 0) && ((x * 31 + y * 17) % 13 < 6);
            const uchar paper = static_cast<uchar>(235 + (x * 7 + y * 3) % 17);
            row[3 * x] = text ? 30 : paper;
            row[3 * x + 1] = text ? 30 : paper;
            row[3 * x + 2] = text ? 60 : static_cast<uchar>(paper - 10);
        }
    }
    image.save(fileName, "JPEG", 75);
}

double milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
long statusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return 0;
}

void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

void report(const char* what, double value, const char* unit) { std::printf("%-44s %9.2f %s\n", what, value, unit); }

void moveTo(QWidget* view, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, view->mapToGlobal(point), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view, &move);
}

struct DragTimes {
    double first;   // the stroke's first event, which gives the undo snapshot its own pixels
    double perEvent; // every further event
};

DragTimes dragOnce(TImageShow& window, int run)
{
    QWidget* view = window.Image1;
    const QPoint start(200 + 40 * run, 300);
    QTest::mousePress(view, Qt::LeftButton, {}, start);
    DragTimes times{};
    times.first = milliseconds([&] { moveTo(view, start + QPoint(2, 2)); });
    const double total = milliseconds([&] {
        for (int k = 1; k <= kDragEvents; ++k)
            moveTo(view, start + QPoint(k * 4, (k % 50) * 3));
    });
    QTest::mouseRelease(view, Qt::LeftButton, {}, start + QPoint(kDragEvents * 4, 0));
    times.perEvent = total / kDragEvents;
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString page = QDir(dir.path()).filePath(QStringLiteral("scan.jpg"));
    writeA4Scan(page);
    std::printf("A4 300-dpi colour page, 2480 x 3508, zoom 1.0, %lld bytes of JPEG\n",
                static_cast<long long>(QFile(page).size()));

    TImageShow window;
    window.resize(870, 640);
    window.SetZoomIndex(5);
    window.ImageFileName = page;
    window.show();
    QCoreApplication::processEvents();
    const long baseline = statusKilobytes("VmRSS");
    resetPeakMemory();

    std::vector<double> open, first, drag, rotate, save;
    for (int run = 0; run < kRuns; ++run) {
        open.push_back(milliseconds([&] { window.FormShow(); }));
        QCoreApplication::processEvents();
        const DragTimes times = dragOnce(window, run);
        first.push_back(times.first);
        drag.push_back(times.perEvent);
        rotate.push_back(milliseconds([&] { window.RotRieghtBtn->trigger(); }));
        save.push_back(milliseconds([&] { window.N2->trigger(); }));
    }
    const long peak = statusKilobytes("VmHWM");

    report("open the editor on the page", median(open), "ms");
    report("first drag event of a stroke (undo copy)", median(first), "ms");
    report("pen-drag event, stroke and repaint", median(drag), "ms");
    report("quarter turn", median(rotate), "ms");
    report("save as JPEG", median(save), "ms");
    report("peak memory above the idle window", (peak - baseline) / 1024.0, "MB");
    report("  in decoded A4 pages (32-bit)", (peak - baseline) * 1024.0 / kDecodedPageBytes, "pages");
    return 0;
}
