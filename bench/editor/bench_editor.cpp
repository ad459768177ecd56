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
#include <cstdio>
#include <ctime>
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

// Processor time of this process: on a shared, busy machine the wall clock measures the
// neighbours as much as the editor.
double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double milliseconds(const std::function<void()>& work)
{
    const double start = cpuMilliseconds();
    work();
    return cpuMilliseconds() - start;
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

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

void report(const char* what, double value, const char* unit)
{
    std::printf("%-44s %9.2f %s\n", what, value, unit);
}

void moveTo(QWidget* view, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, view->mapToGlobal(point), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view, &move);
}

struct DragTimes {
    double press;    // takes the undo snapshot
    double first;    // the stroke's first event
    double perEvent; // every further event
};

DragTimes dragOnce(TImageShow& window, int run)
{
    QWidget* view = window.Image1;
    const QPoint start(200 + 40 * run, 300);
    DragTimes times{};
    times.press = milliseconds([&] { QTest::mousePress(view, Qt::LeftButton, {}, start); });
    times.first = milliseconds([&] { moveTo(view, start + QPoint(2, 2)); });
    const double total = milliseconds([&] {
        for (int k = 1; k <= kDragEvents; ++k)
            moveTo(view, QPoint(100 + (k * 7) % 600, 100 + (k * 3) % 400)); // inside the visible part
    });
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(100, 100));
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

    std::vector<double> open, press, laterPress, first, drag, rotate, save;
    for (int run = 0; run < kRuns; ++run) {
        open.push_back(milliseconds([&] { window.FormShow(); }));
        QCoreApplication::processEvents();
        const DragTimes times = dragOnce(window, run);
        press.push_back(times.press);
        first.push_back(times.first);
        drag.push_back(times.perEvent);
        laterPress.push_back(dragOnce(window, run).press);
        rotate.push_back(milliseconds([&] { window.RotRieghtBtn->trigger(); }));
        save.push_back(milliseconds([&] { window.N2->trigger(); }));
    }
    const long peak = statusKilobytes("VmHWM");
    PaintCounter counter;
    window.FormShow();
    window.Image1->installEventFilter(&counter);
    dragOnce(window, 0);
    std::printf("(processor time; %d paints of the view for %d drag events)\n", counter.paints,
                kDragEvents + 2);

    report("open the editor on the page", median(open), "ms");
    report("first press on a page (undo snapshot)", median(press), "ms");
    report("later press (snapshot into its buffer)", median(laterPress), "ms");
    report("first drag event of a stroke", median(first), "ms");
    report("pen-drag event, stroke and repaint", median(drag), "ms");
    report("quarter turn", median(rotate), "ms");
    report("save as JPEG", median(save), "ms");
    report("peak memory above the idle window", (peak - baseline) / 1024.0, "MB");
    report("  in decoded A4 pages (32-bit)", (peak - baseline) * 1024.0 / kDecodedPageBytes, "pages");
    return 0;
}
