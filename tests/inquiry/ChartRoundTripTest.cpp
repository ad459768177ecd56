// A chart saved by the workstation's save flow is found by number in the chart lookup, listed
// in the chart list and opened with the program associated with it: here a stub launcher put
// first on PATH, which records what it was asked to open. The headless platform cannot open
// documents, so under it the test runs itself again on a virtual X display.
#include "app/compose/PdfChartComposer.h"
#include "app/save/ChartSaver.h"
#include "archive/TDirFile.h"
#include "inquiry/FileListModel.h"
#include "inquiry/TPdfViewerForm.h"
#include "inquiry/TView.h"
#include "logs/ChartLog.h"
#include "settings/TRegistory.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/types.h>
#include <unistd.h>

using quillora::test::Click;
using quillora::test::WhenModal;
namespace fs = std::filesystem;

namespace {

class SilentQuestions : public quillora::save::SaveQuestions {
public:
    void NotOverwrite(const std::string&) override { }
    void NotMakeFolder(const std::string&) override { }
    quillora::save::DeleteChoice NotDelete(const std::string&) override
    {
        return quillora::save::DeleteChoice::Next;
    }
    bool ConfirmClearFolder(const std::string&) override { return false; }
    void Started(int) override { }
    void PageDone(int, const std::string&) override { }
};

// Puts a launcher named like the desktop's document opener first on PATH for this process.
fs::path InstallStubViewer(const fs::path& home)
{
    const fs::path bin = home / "stub-bin";
    const fs::path record = home / "opened.txt";
    fs::create_directories(bin);
    const fs::path launcher = bin / "xdg-open";
    std::ofstream(launcher) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << record.string() << "'\n";
    fs::permissions(launcher, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    setenv("PATH", (bin.string() + ":" + (path ? path : "")).c_str(), 1);
    return record;
}

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Set in the environment of the run under the virtual display, so that it never starts
// another one.
constexpr char kUnderVirtualDisplay[] = "QUILLORA_UNDER_VIRTUAL_DISPLAY";
constexpr int kVirtualRunTimeoutMs = 180000;

// Ends the whole process group of `child` (xvfb-run, its Xvfb and the test binary), so that
// no X server is left behind when the run overstays its time.
void EndProcessGroup(QProcess& child)
{
    const pid_t group = static_cast<pid_t>(child.processId());
    if (group <= 0)
        return;
    ::kill(-group, SIGTERM);
    if (!child.waitForFinished(5000)) {
        ::kill(-group, SIGKILL);
        child.waitForFinished(5000);
    }
}

// Runs this test binary with `filter` under xvfb-run on the X11 platform and checks that it
// passed. Returns why that cannot be done on this machine, or nothing when the run took place.
std::optional<std::string> RunUnderVirtualDisplay(const QString& filter)
{
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        return "xvfb-run is missing (scripts/install-deps.sh installs it)";
    if (QStandardPaths::findExecutable("xauth").isEmpty())
        return "xauth, which xvfb-run needs, is missing (scripts/install-deps.sh installs it)";
    if (qEnvironmentVariableIsSet(kUnderVirtualDisplay)) {
        ADD_FAILURE() << "the virtual display run came up on the offscreen platform again";
        return std::nullopt;
    }
    const QString errorFile =
        QString::fromStdString((quillora::test::TestHome() / "xvfb-run-errors.txt").string());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert(kUnderVirtualDisplay, "1");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setChildProcessModifier([] { ::setpgid(0, 0); }); // a group of its own, see EndProcessGroup
    child.start(xvfbRun,
                {"-a", "-e", errorFile, QCoreApplication::applicationFilePath(), "--gtest_filter=" + filter});
    if (!child.waitForStarted()) {
        ADD_FAILURE() << "xvfb-run did not start: " << child.errorString().toStdString();
        return std::nullopt;
    }
    const bool finished = child.waitForFinished(kVirtualRunTimeoutMs);
    if (!finished)
        EndProcessGroup(child);
    const QByteArray output = child.readAll();
    QFile errors(errorFile);
    const QByteArray serverErrors = errors.open(QIODevice::ReadOnly) ? errors.readAll() : QByteArray();
    if (!finished)
        ADD_FAILURE() << "the run under the virtual display did not end in time\n"
                      << output.toStdString() << serverErrors.toStdString();
    else
        EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
            << output.toStdString() << serverErrors.toStdString();
    return std::nullopt;
}

TEST(ChartRoundTrip, ASavedChartIsFoundListedAndOpened)
{
    if (QGuiApplication::platformName() == "offscreen") {
        if (const auto missing = RunUnderVirtualDisplay("ChartRoundTrip.ASavedChartIsFoundListedAndOpened"))
            GTEST_SKIP() << "opening documents needs a display: " << *missing;
        return;
    }
    const fs::path home = quillora::test::TestHome() / "round-trip";
    const fs::path scan = home / "scan";
    const fs::path base = home / "charts";
    fs::create_directories(scan);
    fs::create_directories(base);
    for (const char* name : {"page1.jpg", "page2.jpg"}) {
        QImage page(120, 160, QImage::Format_RGB32);
        page.fill(Qt::white);
        ASSERT_TRUE(page.save(QString::fromStdString((scan / name).string()), "JPG"));
    }

    TRegistory settings;
    settings.ScannerDir = scan.string();
    settings.Target = base.string();
    settings.HPCode = "0012";
    settings.FolderClear = false;
    TDirFile dirFile;
    quillora::PdfChartComposer composer;
    SilentQuestions questions;
    quillora::ChartLog saveLog, errorLog;
    quillora::save::ChartSaver saver(settings, dirFile, composer, questions, saveLog, errorLog);
    const auto saved = saver.Save({"12345",
                                   "0",
                                   {{(scan / "page1.jpg").string(), std::nullopt, {}},
                                    {(scan / "page2.jpg").string(), std::nullopt, {}}},
                                   std::nullopt});
    ASSERT_TRUE(saved.saved()) << saved.message;

    const fs::path record = InstallStubViewer(home);
    TView chartWindow;
    TPdfViewerForm lookup(dirFile, settings, chartWindow);
    QStringList listed;
    bool opened = false;
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& dialog) {
        WhenModal<TView>([&](TView& view) {
            auto* list = view.ShellListView1;
            EXPECT_TRUE(QTest::qWaitFor([&] { return list->ItemNames().size() == 1; }, 5000));
            listed = list->ItemNames();
            QAbstractItemView* items = list->ActiveView();
            const QModelIndex chart = list->Model()->IndexOf(QString::fromStdString(saved.chartPath));
            const QPoint where = items->visualRect(chart).center();
            QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, where);
            QTest::mouseDClick(items->viewport(), Qt::LeftButton, {}, where);
            opened = QTest::qWaitFor([&] { return fs::exists(record); }, 10000);
            view.close();
        });
        dialog.PidNo->setText("12345");
        Click(dialog.Button1);
        dialog.close();
    });
    lookup.exec();

    EXPECT_EQ(listed, QStringList{QString::fromStdString(saved.chartName)});
    ASSERT_TRUE(opened);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ReadAll(record).find('\n') != std::string::npos; }, 5000));
    const QString url = QString::fromStdString(ReadAll(record)).trimmed();
    EXPECT_EQ(QUrl(url).toLocalFile().toStdString(), saved.chartPath);
}

} // namespace
