// Saving from the window: validation messages, the overwrite warning with its error-log line,
// the busy state after a composition error, the log question on closing, the scanner folder
// clearing command, and a whole chart checked with qpdf.
#include "MainFormFixture.h"

#include "app/compose/PdfChartComposer.h"
#include "app/ui/WarningWindows.h"
#include "app/warnings/TDeleteWarningForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace quillora::test {
namespace {

class SaveTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        addScan(QStringLiteral("1.jpg"), 200, 280, Qt::white);
        addScan(QStringLiteral("2.jpg"), 200, 280, Qt::red);
        addScan(QStringLiteral("3.jpg"), 280, 200, Qt::blue);
        takeInScannerFolder();
        ASSERT_EQ(form->PageList.size(), 3);
    }

    void save(const QString& patient, const QString& serial)
    {
        form->IdEdit->setText(patient);
        form->VolNoEdit->setText(serial);
        QTest::mouseClick(form->SaveButton, Qt::LeftButton);
    }

    QStringList charts() const
    {
        QStringList found;
        QDirIterator it(archive.path(), {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }
};

struct InputCase {
    const char* patient;
    const char* serial;
    const char* message;
};

void PrintTo(const InputCase& c, std::ostream* os)
{
    *os << '"' << c.patient << "\" / \"" << c.serial << '"';
}

// The real composer, watching the window while each page is added.
class WatchingComposer : public ChartComposer {
public:
    explicit WatchingComposer(TMainForm& form) : form_(form) { }
    void Begin(const ChartPageSetup& setup, const LocalDateTime& date) override { pdf_.Begin(setup, date); }
    void AddPage(const std::string& imageFile, const std::optional<std::vector<std::string>>& note) override
    {
        busyWhileComposing =
            busyWhileComposing && !form_.SaveButton->isEnabled() && !form_.PageControl1->isEnabled();
        progressShown = progressShown && form_.SaveProgress->isVisible();
        progressValues << form_.SaveProgress->value();
        pdf_.AddPage(imageFile, note);
    }
    void Expect(const std::vector<std::string>& imageFiles) override { pdf_.Expect(imageFiles); }
    void AddOutline(const std::string& title) override { pdf_.AddOutline(title); }
    int PageCount() const override { return pdf_.PageCount(); }
    std::string Finish() override { return pdf_.Finish(); }
    void Discard() noexcept override { pdf_.Discard(); }

    bool busyWhileComposing = true;
    bool progressShown = true;
    QList<int> progressValues;

private:
    TMainForm& form_;
    PdfChartComposer pdf_;
};

class SaveInputTest : public SaveTest, public ::testing::WithParamInterface<InputCase> { };

TEST_P(SaveInputTest, BadNumbersAreReportedInThePanelAndNothingIsWritten)
{
    save(QString::fromUtf8(GetParam().patient), QString::fromUtf8(GetParam().serial));
    EXPECT_EQ(form->StatusText(1), QString::fromUtf8(GetParam().message));
    EXPECT_TRUE(charts().isEmpty());
    EXPECT_TRUE(form->SaveButton->isEnabled());
    EXPECT_EQ(form->PageList.size(), 3);
    EXPECT_FALSE(form->SaveLog().isModified());
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, SaveInputTest,
    ::testing::Values(InputCase{"0", "0", "患者番号エラー"}, InputCase{"100000000", "0", "患者番号エラー"},
                      InputCase{"-1", "0", "患者番号エラー"}, InputCase{"12a", "0", "患者番号エラー"},
                      InputCase{"", "0", "患者番号エラー"}, InputCase{"1", "1000", "連番エラー"},
                      InputCase{"99999999", "-1", "連番エラー"}));

TEST_F(SaveTest, SavedChartIsLoggedAndTheQuestionComesOnClosing)
{
    form->Settings().HPCode = "0012";
    save(QStringLiteral("12345"), QStringLiteral("007"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("保存しました。"));
    ASSERT_EQ(charts().size(), 1);
    EXPECT_EQ(QFileInfo(charts().first()).fileName(), QStringLiteral("HP0012_12345_7.pdf"));
    EXPECT_TRUE(form->SavedChartText().contains(QStringLiteral("HP0012_12345_7.pdf")));
    EXPECT_TRUE(form->SavedChartText().contains(
        QDir::toNativeSeparators(QFileInfo(charts().first()).absolutePath())));
    ASSERT_EQ(form->SaveLog().lines().size(), 1u);
    EXPECT_EQ(QString::fromStdString(form->SaveLog().lines().front()),
              QStringLiteral("12345,") + QDir::toNativeSeparators(charts().first()));
    EXPECT_TRUE(form->SaveButton->isEnabled());
    EXPECT_FALSE(form->SaveProgress->isVisible());
    EXPECT_EQ(form->PageList.size(), 3); // FolderClear off keeps the pages
    EXPECT_EQ(form->IdEdit->text(), QStringLiteral("12345"));

    prompts.closeAnswer = false;
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompts.closeQuestions, 1);
    form->N12->trigger(); // "ログのクリア" clears the mark
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompts.closeQuestions, 1);
}

TEST_F(SaveTest, WindowIsBusyAndShowsProgressWhileComposing)
{
    auto composer = std::make_unique<WatchingComposer>(*form);
    WatchingComposer& watch = *composer;
    form->setChartComposer(std::move(composer));
    form->Settings().FirstPage = true;
    save(QStringLiteral("12"), QStringLiteral("0"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("保存しました。"));
    EXPECT_TRUE(watch.busyWhileComposing);
    EXPECT_TRUE(watch.progressShown);
    EXPECT_EQ(watch.progressValues, (QList<int>{0, 1, 2}));
    EXPECT_EQ(form->SaveProgress->maximum(), 3);
    EXPECT_FALSE(form->SaveProgress->isVisible());
    EXPECT_TRUE(form->SaveButton->isEnabled());
}

TEST_F(SaveTest, ExistingChartIsNotOverwrittenAndTheErrorLogGetsALine)
{
    form->Settings().WriteInhibit = true;
    save(QStringLiteral("12345"), QStringLiteral("0"));
    ASSERT_EQ(charts().size(), 1);
    const QString chart = charts().first();
    const QDateTime written = QFileInfo(chart).lastModified();
    PressWhenModal(QStringLiteral("了解"));
    save(QStringLiteral("12345"), QStringLiteral("0"));
    ASSERT_EQ(form->ErrorLog().lines().size(), 1u);
    EXPECT_EQ(QString::fromStdString(form->ErrorLog().lines().front()),
              QDir::toNativeSeparators(chart) + QStringLiteral(" OverWrite Error"));
    EXPECT_EQ(QFileInfo(chart).lastModified(), written);
    EXPECT_EQ(form->SaveLog().lines().size(), 1u);
    EXPECT_TRUE(form->SaveButton->isEnabled());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(SaveTest, CompositionErrorIsShownInTheErrorBoxAndTheWindowStaysUsable)
{
    form->Settings().FirstPage = true;
    form->ClearPages();
    save(QStringLiteral("12345"), QStringLiteral("0"));
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.first().startsWith(QStringLiteral("GetPage --the Page is nil\n")));
    EXPECT_TRUE(prompts.errors.first().contains(QStringLiteral("保存できるページがありません。")));
    EXPECT_TRUE(form->SaveButton->isEnabled());
    EXPECT_TRUE(form->PageControl1->isEnabled());
    EXPECT_TRUE(form->SaveLog().lines().empty());
    EXPECT_TRUE(charts().isEmpty());
    EXPECT_TRUE(form->close());
}

TEST_F(SaveTest, FirstPageExcludedNeedsTwoPages)
{
    form->Settings().FirstPage = false;
    clickItem(1);
    form->PageDeleteMenu->trigger();
    form->PageDeleteMenu->trigger();
    ASSERT_EQ(form->PageList.size(), 1);
    save(QStringLiteral("5"), QStringLiteral("0"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("最初のページを保存しない指定により、保存ができません。"));
}

TEST_F(SaveTest, FolderClearEmptiesTheScannerFolderAndThePageList)
{
    form->Settings().FolderClear = true;
    QDir(scanner.path()).mkdir(QStringLiteral("keep"));
    save(QStringLiteral("77"), QStringLiteral("1"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("保存しました。"));
    EXPECT_TRUE(form->PageList.empty());
    EXPECT_EQ(form->ListView1->count(), 0);
    EXPECT_EQ(form->StatusText(0), QStringLiteral("0"));
    EXPECT_EQ(form->CurrentPage, -1);
    EXPECT_TRUE(QDir(scanner.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(scanner.path()).exists(QStringLiteral("keep")));
}

TEST_F(SaveTest, WrongNumberIsMarkedAtItsFieldAndFullWidthDigitsAreDigits)
{
    save(QStringLiteral("12a"), QStringLiteral("0"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("患者番号エラー"));
    EXPECT_TRUE(form->IdEdit->hasFocus() || QApplication::focusWidget() == form->IdEdit);
    EXPECT_TRUE(form->IdEdit->property("wrongValue").toBool());
    QTest::keyClick(form->IdEdit, Qt::Key_Backspace); // editing clears the mark
    EXPECT_FALSE(form->IdEdit->property("wrongValue").toBool());

    save(QStringLiteral("１２３４５"), QStringLiteral("１"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("保存しました。"));
    EXPECT_EQ(form->IdEdit->text(), QStringLiteral("12345"));
    ASSERT_EQ(charts().size(), 1);
    EXPECT_TRUE(charts().first().endsWith(QStringLiteral("_12345_1.pdf")));
}

TEST_F(SaveTest, AFailedWriteIsOneMessageNotTwoWindows)
{
    save(QStringLiteral("12345"), QStringLiteral("0"));
    ASSERT_EQ(charts().size(), 1);
    // The patient folder now leads where no file can be created.
    const QString folder = QFileInfo(charts().first()).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self"), folder));
    QStringList windows;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&windows] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            windows << modal->objectName();
            modal->reject();
        }
    });
    watcher.start(10);
    save(QStringLiteral("12345"), QStringLiteral("1"));
    EXPECT_TRUE(windows.isEmpty()) << windows.join(u',').toStdString();
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.first().contains(QStringLiteral("_12345_1.pdf")));
    EXPECT_TRUE(prompts.errors.first().contains(QStringLiteral("書き込めませんでした")));
    EXPECT_TRUE(form->SaveButton->isEnabled());
}

TEST_F(SaveTest, RefusedClearingKeepsThePageList)
{
    form->Settings().ScannerDir = form->Settings().Target; // the archive may never be cleared
    PressWhenModal(QStringLiteral("Ok"));
    form->ScanFoldClearMenu->trigger();
    EXPECT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(form->PageList.size(), 3);
    EXPECT_EQ(form->ListView1->count(), 3);
}

// A page the clerk deleted from the list is cleared with the others; a scan that arrived after
// the intake stays and is named.
TEST_F(SaveTest, FolderClearTakesTheIntakesFilesOnly)
{
    form->Settings().FolderClear = true;
    form->PageDeleteMenu->trigger();
    ASSERT_EQ(form->PageList.size(), 2);
    addScan(QStringLiteral("next.jpg"), 20, 20, Qt::white);
    save(QStringLiteral("77"), QStringLiteral("1"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("保存しました。"));
    EXPECT_EQ(QDir(scanner.path()).entryList(QDir::Files), QStringList{QStringLiteral("next.jpg")});
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.first().contains(QStringLiteral("next.jpg")));
}

TEST_F(SaveTest, ClearingCommandAsksFirstAndCancelChangesNothing)
{
    PressWhenModal(QStringLiteral("Cancel"));
    form->ScanFoldClearMenu->trigger();
    EXPECT_EQ(form->PageList.size(), 3);
    EXPECT_EQ(QDir(scanner.path()).entryList(QDir::Files).size(), 3);
    PressWhenModal(QStringLiteral("Ok"));
    form->ScanFoldClearMenu->trigger();
    EXPECT_TRUE(form->PageList.empty());
    EXPECT_TRUE(QDir(scanner.path()).entryList(QDir::Files).isEmpty());
}

// The road of one chart: intake, reorder, titles, a note, save; the PDF holds the pages,
// outline titles and annotation.
TEST_F(SaveTest, WholeChartHasItsPagesOutlinesAndAnnotation)
{
    form->Settings().FirstPage = true;
    clickItem(2);
    form->ListView1StartDrag();
    form->ListView1DragOver(true, itemCentre(2));
    form->ListView1DragDrop(itemCentre(1)); // 1, 3, 2
    form->PageList.at(1).Title = QStringLiteral("処方");
    form->PageList.at(2).Title = QStringLiteral("検査");
    clickItem(1);
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    QTest::keyClicks(form->NoteMemo, QStringLiteral("note text"));
    save(QStringLiteral("12345"), QStringLiteral("0"));
    ASSERT_EQ(charts().size(), 1) << form->StatusText(1).toStdString();
    const QString chart = charts().first();

    QProcess check;
    check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), chart});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    QProcess json;
    json.start(QStringLiteral("qpdf"), {QStringLiteral("--json"), chart});
    ASSERT_TRUE(json.waitForFinished(60000));
    const QString text = QString::fromUtf8(json.readAllStandardOutput());
    EXPECT_EQ(text.count(QStringLiteral("\"/Type\": \"/Page\"")), 3);
    EXPECT_TRUE(text.contains(QStringLiteral("/Annot"))) << "no annotation";
    EXPECT_EQ(text.count(QStringLiteral("\"/Subtype\": \"/Text\"")), 1);

    QProcess outline;
    outline.start(QStringLiteral("qpdf"),
                  {QStringLiteral("--json"), QStringLiteral("--json-key=outlines"), chart});
    ASSERT_TRUE(outline.waitForFinished(60000));
    const QString outlines = QString::fromUtf8(outline.readAllStandardOutput());
    const qsizetype first = outlines.indexOf(QStringLiteral("処方"));
    const qsizetype second = outlines.indexOf(QStringLiteral("検査"));
    EXPECT_GE(first, 0) << outlines.toStdString();
    EXPECT_GT(second, first);
}

} // namespace
} // namespace quillora::test
