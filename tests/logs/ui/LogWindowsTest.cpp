// The save log window and the error log window, with the file dialog and the error box
// answered by a fake.
#include "logs/LogFileSupport.h"
#include "logs/ui/TErrorLogForm.h"
#include "logs/ui/TLog.h"
#include "settings/TRegistory.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <gtest/gtest.h>

using quillora::ChartLog;
using quillora::test::freshFolder;
using quillora::test::readBytes;
using quillora::test::WhenModal;
using quillora::test::writeBytes;

namespace {

struct FakePrompts : quillora::LogWindowPrompts {
    std::optional<QString> answer;
    QStringList foldersAskedIn;
    QStringList errors;

    std::optional<QString> chooseAppendFile(QWidget*, const QString& startFolder) override
    {
        foldersAskedIn << startFolder;
        return answer;
    }
    void reportIoError(QWidget*, const QString& message) override { errors << message; }
};

QString toQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

class SaveLogWindow : public ::testing::Test {
protected:
    SaveLogWindow()
    {
        settings.LogOutFolder = "/start/folder";
        log.addLine("12345,/charts/00/01/23/45/HP0012_12345_0.pdf");
        log.setModified(true);
    }

    TRegistory settings;
    ChartLog log;
    FakePrompts prompts;
    TLog window{settings, log, nullptr, &prompts};
};

} // namespace

TEST_F(SaveLogWindow, HasTheCaptionMemoStatusBarAndFileMenu)
{
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("作成ログ"));
    EXPECT_TRUE(window.LogMemo->isReadOnly());
    EXPECT_EQ(window.LogMemo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window.LogMemo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    ASSERT_NE(window.StatusBar1, nullptr);

    const auto menus = window.findChild<QMenuBar*>()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QString::fromUtf8("ファイル"));
    const auto items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], window.FileAdd);
    EXPECT_EQ(items[0]->text(), QString::fromUtf8("追加保存"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2], window.FileClose);
    EXPECT_EQ(items[2]->text(), QString::fromUtf8("閉じる"));
}

TEST_F(SaveLogWindow, ShowsTheLinesOfTheLogEachTimeItIsShown)
{
    EXPECT_TRUE(window.LogMemo->toPlainText().isEmpty());
    window.show();
    EXPECT_EQ(window.LogMemo->toPlainText(), QStringLiteral("12345,/charts/00/01/23/45/HP0012_12345_0.pdf"));
    window.hide();
    log.addLine("7,/charts/00/00/00/07/HP0012_7_0.pdf");
    window.show();
    EXPECT_EQ(window.LogMemo->document()->blockCount(), 2);
}

TEST_F(SaveLogWindow, CloseItemEndsTheModalWindow)
{
    WhenModal<QWidget>([this](QWidget& modal) {
        EXPECT_EQ(&modal, &window);
        window.FileClose->trigger();
    });
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SaveLogWindow, CancelledFileDialogChangesNothing)
{
    window.FileAdd->trigger();
    EXPECT_EQ(prompts.foldersAskedIn, QStringList{QStringLiteral("/start/folder")});
    EXPECT_EQ(settings.LogOutFolder, "/start/folder");
    EXPECT_TRUE(log.isModified());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(SaveLogWindow, AppendsToTheChosenFileAndRemembersItsFolder)
{
    const auto folder = freshFolder("window-ok");
    writeBytes(folder / "charts.log", "before\r\n");
    prompts.answer = toQString(folder / "charts.log");

    window.FileAdd->trigger();

    EXPECT_EQ(readBytes(folder / "charts.log"), "before\r\n12345,/charts/00/01/23/45/HP0012_12345_0.pdf\r\n");
    EXPECT_EQ(settings.LogOutFolder, QDir::toNativeSeparators(toQString(folder)).toStdString());
    EXPECT_FALSE(log.isModified());
    EXPECT_TRUE(window.StatusText().isEmpty());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(SaveLogWindow, MissingFileShowsTheErrorBoxButTheFolderIsRemembered)
{
    const auto folder = freshFolder("window-missing");
    prompts.answer = toQString(folder / "new.log");

    window.FileAdd->trigger();

    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors[0].contains(toQString(folder / "new.log")));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.log"));
    EXPECT_EQ(settings.LogOutFolder, QDir::toNativeSeparators(toQString(folder)).toStdString());
    EXPECT_TRUE(log.isModified());
    EXPECT_TRUE(window.StatusText().isEmpty());
}

TEST_F(SaveLogWindow, FailingWriteShowsTheStatusMessageAndKeepsTheMark)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    prompts.answer = QStringLiteral("/dev/full");

    window.FileAdd->trigger();

    EXPECT_EQ(window.StatusText(), QString::fromUtf8("*** ファイル追加エラーが発生しました。"));
    EXPECT_TRUE(prompts.errors.isEmpty());
    EXPECT_TRUE(log.isModified());
    EXPECT_EQ(settings.LogOutFolder, "/dev");

    // The message stays, even after a later successful append.
    const auto folder = freshFolder("window-after-error");
    writeBytes(folder / "charts.log", "");
    prompts.answer = toQString(folder / "charts.log");
    window.FileAdd->trigger();
    EXPECT_FALSE(log.isModified());
    EXPECT_EQ(window.StatusText(), QString::fromUtf8("*** ファイル追加エラーが発生しました。"));
}

TEST(ErrorLogWindow, ShowsTheLinesAndKeepsTheClerksEdits)
{
    ChartLog log;
    log.addLine("/charts/00/01/23/45/HP0012_12345_0.pdf OverWrite Error");
    TErrorLogForm window(log);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("エラーログ"));
    EXPECT_FALSE(window.ErrorLogMemo->isReadOnly());
    EXPECT_EQ(window.StatusBar1->objectName(), QStringLiteral("StatusBar1"));

    WhenModal<QWidget>([&window](QWidget&) {
        EXPECT_EQ(window.ErrorLogMemo->toPlainText(),
                  QStringLiteral("/charts/00/01/23/45/HP0012_12345_0.pdf OverWrite Error"));
        window.ErrorLogMemo->moveCursor(QTextCursor::End);
        QTest::keyClick(window.ErrorLogMemo, Qt::Key_Return);
        QTest::keyClicks(window.ErrorLogMemo, QStringLiteral("checked"));
        window.close();
    });
    window.exec();

    EXPECT_EQ(log.lines(), (std::vector<std::string>{"/charts/00/01/23/45/HP0012_12345_0.pdf OverWrite Error",
                                                     "checked"}));
}
