// Intake of 100 A4 scans into the main window at the smallest and the largest thumbnail
// size: time to the first thumbnail, time to the last, and the longest pause of the event
// loop meanwhile (how long the window could not paint or answer). Once with scans that were
// there before the window opened (every thumbnail is decoded during the intake), once with
// scans that arrived while the window was open (their thumbnails were made meanwhile). Beside
// them, the same run's bare libjpeg work: the scans decoded at thumbnail scale on every core,
// with no window, which no intake of those scans can beat on this machine.
#include "BareJpeg.h"
#include "app/pages/Thumbnail.h"
#include "app/ui/MainFormPrompts.h"
#include "app/ui/PageListView.h"
#include "app/ui/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

class SilentPrompts : public quillora::ui::MainFormPrompts {
public:
    int execModal(QDialog&) override { return 0; }
    void showError(QWidget*, const QString& message) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
    }
    bool confirmCloseWithUnsavedLog(QWidget*) override { return true; }
    std::optional<QStringList> chooseScannerFiles(QWidget*, const QString&, const QString&) override
    {
        return {};
    }
    std::optional<QStringList> chooseImportFiles(QWidget*, const QString&, const QString&) override
    {
        return {};
    }
    std::optional<quillora::ui::SaveFileChoice> chooseScanSaveFile(QWidget*, const QString&,
                                                                   const QString&) override
    {
        return {};
    }
    void openWithShell(const QString&) override { }
};

// A4 at 300 dpi like a real scan: paper grain (noise), which makes the JPEG data as costly
// to decode as a scanner's, and dark lines of "text". Ten distinct pages, copied to `count`.
void writeScans(const QString& folder, int count)
{
    QImage page(2480, 3508, QImage::Format_RGB32);
    QRandomGenerator random(42);
    const int distinct = 10;
    for (int i = 0; i < count; ++i) {
        const QString name = QDir(folder).filePath(QStringLiteral("scan%1.jpg").arg(i, 3, 10, QChar(u'0')));
        if (i >= distinct) {
            QFile::copy(
                QDir(folder).filePath(QStringLiteral("scan%1.jpg").arg(i % distinct, 3, 10, QChar(u'0'))),
                name);
            continue;
        }
        for (int y = 0; y < page.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(page.scanLine(y));
            for (int x = 0; x < page.width(); ++x) {
                const int grain = 225 + static_cast<int>(random.bounded(31));
                line[x] = qRgb(grain, grain, grain - 5);
            }
        }
        QPainter painter(&page);
        painter.setBrush(QColor(30, 30, 30));
        for (int row = 0; row < 40; ++row)
            painter.drawRect(200, 200 + row * 80 + i * 3, 1800 - (row * 37 + i * 11) % 900, 40);
        painter.end();
        page.save(name, "JPG", 75);
    }
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Figures {
    qint64 firstMs = -1;
    qint64 totalMs = 0;
    qint64 longestPauseMs = 0;
    double windowCpuMs = 0;       // the window thread's own work during the intake
    qint64 longestPauseEndMs = 0; // when it ended, since the intake started
    int rowsBeforePause = 0;      // thumbnails shown when it ended
    int pages = 0;
};

void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The scanner writes the scans into the watched folder while the window is open; returns once
// the window has made their thumbnails.
void arriveWhileOpen(TMainForm& form, const QString& scans, const QString& folder)
{
    form.PrepareScannerThumbnails();
    for (const QString& name : QDir(scans).entryList(QDir::Files, QDir::Name))
        QFile::copy(QDir(scans).filePath(name), QDir(folder).filePath(name));
    runEvents(100);
    while (form.PreparingThumbnails())
        runEvents(20);
}

Figures runIntake(const QString& scans, int imSize, bool arrivedWhileOpen)
{
    SilentPrompts prompts;
    TMainForm form(&prompts);
    form.show();
    QTemporaryDir arrived;
    const QString folder = arrivedWhileOpen ? arrived.path() : scans;
    form.Settings().ScannerDir = folder.toStdString();
    form.Settings().ImSize = imSize;
    form.ResetThumbnails();
    if (arrivedWhileOpen)
        arriveWhileOpen(form, scans, folder);
    // The window has painted once before the clerk starts an intake; its first paint (fonts,
    // styles) is not part of the intake.
    runEvents(300);

    Figures figures;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 pause = sinceTick.restart();
        if (pause > figures.longestPauseMs) {
            figures.longestPauseMs = pause;
            figures.longestPauseEndMs = clock.elapsed();
            figures.rowsBeforePause = form.ListView1->count();
        }
    });
    QObject::connect(form.ListView1->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (figures.firstMs < 0)
            figures.firstMs = clock.elapsed();
    });
    clock.start();
    sinceTick.start();
    ticker.start();
    const double cpuBefore = ThreadCpuMs();
    form.ScannerOpen->trigger();
    figures.totalMs = clock.elapsed();
    figures.windowCpuMs = ThreadCpuMs() - cpuBefore;
    // The time after the last tick counts as a pause too.
    if (sinceTick.elapsed() > figures.longestPauseMs) {
        figures.longestPauseMs = sinceTick.elapsed();
        figures.longestPauseEndMs = figures.totalMs;
        figures.rowsBeforePause = form.ListView1->count();
    }
    ticker.stop();
    figures.pages = form.PageList.size();
    // The settings kept at closing name a folder that outlives this window, so the next window
    // opens without a missing-folder message.
    form.Settings().ScannerDir = scans.toStdString();
    form.close();
    return figures;
}

// The decoding alone, on one thread: the best of three passes over the ten distinct scans.
double thumbnailMsAlone(const QString& folder, int side)
{
    double best = 1e30;
    for (int pass = 0; pass < 3; ++pass) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i)
            quillora::pages::MakeThumbnailPicture(
                QDir(folder).filePath(QStringLiteral("scan%1.jpg").arg(i, 3, 10, QChar(u'0'))), side, false);
        best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e6 / 10);
    }
    return best;
}

// The bare libjpeg decodes of all scans at 1/8 scale on `threads` threads: the best of three.
double bareDecodeMs(const QString& folder, int threads)
{
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        files << QDir(folder).filePath(name);
    double best = 1e30;
    for (int pass = 0; pass < 3; ++pass) {
        std::atomic<int> next{0};
        QElapsedTimer clock;
        clock.start();
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&] {
                for (int i = next++; i < files.size(); i = next++)
                    quillora::bench::BareEighthDecode(files.at(i).toStdString());
            });
        for (std::thread& worker : workers)
            worker.join();
        best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.path().toLocal8Bit()); // the work journal, too
    QTemporaryDir scans;
    const int count = 100;
    QElapsedTimer prepare;
    prepare.start();
    writeScans(scans.path(), count);
    std::printf("generated %d A4 JPEG scans (2480x3508, %lld KB each) in %lld ms\n", count,
                QFileInfo(QDir(scans.path()).filePath(QStringLiteral("scan000.jpg"))).size() / 1024,
                prepare.elapsed());
    const double alone = thumbnailMsAlone(scans.path(), 64);
    std::printf(
        "one thumbnail decoded alone on one thread: %.1f ms, so %d need at least %.0f ms of two cores\n",
        alone, count, alone * count / 2);
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const double bare = bareDecodeMs(scans.path(), cores);
    std::printf("bare libjpeg, the %d scans decoded at 1/8 scale on %d threads, no window: %.0f ms\n", count,
                cores, bare);
    for (const bool arrivedWhileOpen : {false, true}) {
        std::printf(arrivedWhileOpen ? "scans that arrived while the window was open:\n"
                                     : "scans that were there before the window opened:\n");
        for (int imSize : {0, 4}) {
            const Figures f = runIntake(scans.path(), imSize, arrivedWhileOpen);
            std::printf("  ImSize %d: %d pages, first thumbnail after %lld ms, all after %lld ms "
                        "(%.1f ms/page), longest event-loop pause %lld ms (ended at %lld ms, %d thumbnails "
                        "shown), window thread busy %.0f ms, %.2f x bare\n",
                        imSize, f.pages, f.firstMs, f.totalMs,
                        f.pages ? static_cast<double>(f.totalMs) / f.pages : 0.0, f.longestPauseMs,
                        f.longestPauseEndMs, f.rowsBeforePause, f.windowCpuMs,
                        static_cast<double>(f.totalMs) / bare);
        }
    }
    std::printf("targets on two idle cores: all thumbnails within 700 ms, no pause over 30 ms\n");
    return 0;
}
