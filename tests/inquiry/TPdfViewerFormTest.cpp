// The chart lookup dialog driven through its real controls.
#include "inquiry/TPdfViewerForm.h"
#include "archive/TDirFile.h"
#include "inquiry/TView.h"
#include "settings/TRegistory.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

using quillora::test::Click;
using quillora::test::WhenModal;
namespace fs = std::filesystem;

namespace {

class FakeChartList : public quillora::inquiry::ChartListWindow {
public:
    void ShowChartList(const QString& folder) override { shown << folder; }
    QStringList shown;
};

class TPdfViewerFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        base = quillora::test::TestHome() / "lookup-archive";
        fs::create_directories(base);
        settings.Target = base.string();
        patientFolder = base / "00" / "00" / "12" / "34";
    }

    fs::path base;
    fs::path patientFolder;
    TRegistory settings;
    TDirFile dirFile;
    FakeChartList chartList;
};

TEST_F(TPdfViewerFormTest, ShowsErrorsInPlaceAndListsAnExistingFolder)
{
    TPdfViewerForm dialog(dirFile, settings, chartList);
    QStringList errors;
    QString errorAfterList, numberAfterList;
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& d) {
        for (const char* bad : {"0", "-5", "100000000", "abc"}) {
            d.PidNo->setText(bad);
            Click(d.Button1);
            errors << d.ErrorDisp->text();
        }
        d.PidNo->setText("1234");
        Click(d.Button1);
        errors << d.ErrorDisp->text();
        fs::create_directories(patientFolder);
        Click(d.Button1);
        errorAfterList = d.ErrorDisp->text();
        numberAfterList = d.PidNo->text();
        d.close();
    });
    dialog.exec();
    EXPECT_EQ(errors, QStringList({"患者番号エラー", "患者番号エラー", "患者番号エラー", "患者番号エラー",
                                   "接続エラー"}));
    ASSERT_EQ(chartList.shown.size(), 1);
    EXPECT_EQ(chartList.shown.front().toStdString(), patientFolder.string());
    EXPECT_EQ(errorAfterList, "");
    EXPECT_EQ(numberAfterList, "1234");
}

TEST_F(TPdfViewerFormTest, EnterInTheNumberFieldDoesNotLookUp)
{
    fs::create_directories(patientFolder);
    TPdfViewerForm dialog(dirFile, settings, chartList);
    bool stillOpen = false;
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& d) {
        QTest::keyClicks(d.PidNo, "1234");
        QTest::keyClick(d.PidNo, Qt::Key_Return);
        stillOpen = d.isVisible();
        d.close();
    });
    dialog.exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(chartList.shown.isEmpty());
}

TEST_F(TPdfViewerFormTest, ReopeningShowsAnEmptyField)
{
    TPdfViewerForm dialog(dirFile, settings, chartList);
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& d) {
        d.PidNo->setText("abc");
        Click(d.Button1);
        d.close();
    });
    dialog.exec();
    QString number = "unset", error = "unset";
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& d) {
        number = d.PidNo->text();
        error = d.ErrorDisp->text();
        d.close();
    });
    dialog.exec();
    EXPECT_EQ(number, "");
    EXPECT_EQ(error, "");
}

TEST_F(TPdfViewerFormTest, RestoringTheMinimizedDialogKeepsTheNumberAndTheMessage)
{
    TPdfViewerForm dialog(dirFile, settings, chartList);
    QString number, error;
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& d) {
        d.PidNo->setText("5678");
        Click(d.Button1); // no such folder: "接続エラー"
        quillora::test::MinimizeAndRestore(d);
        number = d.PidNo->text();
        error = d.ErrorDisp->text();
        d.close();
    });
    dialog.exec();
    EXPECT_EQ(number, "5678");
    EXPECT_EQ(error, "接続エラー");
}

// The real chart list opens over the lookup and keeps its view style for the next lookup.
TEST_F(TPdfViewerFormTest, TheChartListKeepsItsViewStyleAcrossLookups)
{
    fs::create_directories(patientFolder);
    TView chartWindow;
    TPdfViewerForm dialog(dirFile, settings, chartWindow);
    QString listedFolder;
    bool detailsAtFirst = false, listAtSecond = false;
    WhenModal<TPdfViewerForm>([&](TPdfViewerForm& d) {
        WhenModal<TView>([&](TView& view) {
            listedFolder = view.ShellListView1->Folder();
            detailsAtFirst = view.ShellListView1->Style() == quillora::inquiry::ViewStyle::Details;
            Click(view.ToolButton2);
            view.close();
        });
        d.PidNo->setText("1234");
        Click(d.Button1);
        WhenModal<TView>([&](TView& view) {
            listAtSecond = view.ShellListView1->Style() == quillora::inquiry::ViewStyle::List &&
                           view.ToolButton2->isChecked();
            view.close();
        });
        Click(d.Button1);
        d.close();
    });
    dialog.exec();
    EXPECT_EQ(listedFolder.toStdString(), patientFolder.string());
    EXPECT_TRUE(detailsAtFirst);
    EXPECT_TRUE(listAtSecond);
}

} // namespace
