// The PDF output settings dialog driven through its real buttons.
#include "settings/ui/TPdfOutSet.h"
#include "settings/PdfOutSetLogic.h"
#include "settings/TRegistory.h"
#include "settings/ui/FolderTree.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <filesystem>
#include <gtest/gtest.h>

using quillora::test::Click;
using quillora::test::WhenModal;

namespace {

class TPdfOutSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        charts = quillora::test::TestHome() / "charts";
        std::filesystem::create_directories(charts);
        settings.Target = charts.string();
        settings.PdfPageHeight = 1200;
        settings.PdfPageWidth = 800;
    }

    std::filesystem::path charts;
    TRegistory settings;
    TPdfOutSet dialog;
};

struct Step {
    std::function<void(TPdfOutSet&)> edit;
    QString message;
};

TEST_F(TPdfOutSetTest, RunsEveryCheckInOrderAndStaysOpen)
{
    const QString eleven(11, 'a');
    const std::vector<Step> steps = {
        {[](TPdfOutSet& d) { d.PdfSetPathDisp->setText(d.PdfSetPathDisp->text() + "/missing"); },
         "ベースフォルダーエラー"},
        {[&](TPdfOutSet& d) {
             d.PdfSetPathDisp->setText(QString::fromStdString(charts.string()));
             d.L1B->setText(eleven);
         },
         "フォルダー１サイズエラー"},
        {[&](TPdfOutSet& d) {
             d.L1B->setText(QString(10, 'a'));
             d.L2F->setText("あいうえおか");
         },
         "フォルダー２サイズエラー"},
        {[&](TPdfOutSet& d) {
             d.L2F->setText("あいうえお");
             d.L3F->setText(eleven);
         },
         "フォルダー３サイズエラー"},
        {[&](TPdfOutSet& d) {
             d.L3F->clear();
             d.L4B->setText(eleven);
         },
         "フォルダー４サイズエラー"},
        {[](TPdfOutSet& d) {
             d.L4B->clear();
             d.Edit1->clear();
             d.Edit2->setText("abc");
         },
         "縦:数値エラー"},
        {[](TPdfOutSet& d) { d.Edit1->setText("99"); }, "横:数値エラー"},
        {[](TPdfOutSet& d) { d.Edit2->setText("100"); }, "縦か横のサイズが少ないエラー"},
        {[](TPdfOutSet& d) {
             d.Edit1->setText("100");
             d.HPCodeEdit->setText("00/12");
         },
         quillora::settings_ui::kInstitutionCodeError},
    };
    std::vector<std::pair<QString, bool>> seen;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        for (const Step& step : steps) {
            step.edit(d);
            Click(d.Button2);
            seen.emplace_back(d.StatusBar1->currentMessage(), d.isVisible());
        }
        d.HPCodeEdit->setText("0012");
        Click(d.Button2);
    });
    ASSERT_TRUE(dialog.Execute(settings));
    ASSERT_EQ(seen.size(), steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(seen[i].first, steps[i].message) << "step " << i;
        EXPECT_TRUE(seen[i].second) << "step " << i;
    }
    EXPECT_EQ(settings.PdfPageHeight, 100);
    EXPECT_EQ(settings.PdfPageWidth, 100);
    EXPECT_EQ(settings.L1Back, std::string(10, 'a'));
    EXPECT_EQ(settings.L2Front, "あいうえお");
    EXPECT_EQ(settings.HPCode, "0012");
}

TEST_F(TPdfOutSetTest, ConfirmCopiesEveryControl)
{
    const auto typed = quillora::test::TestHome() / "typed";
    std::filesystem::create_directories(typed);
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        d.PdfSetPathDisp->setText(QString::fromStdString(typed.string()));
        d.L1F->setText("K");
        d.L1B->setText("x");
        d.L4B->setText("末");
        for (QCheckBox* box :
             {d.FirstPageOutCheck, d.ScanClrCheck, d.WriteProtectChk, d.WriteDateChk, d.StretchCheck})
            Click(box);
        d.HPCodeEdit->setText("0099");
        d.QualitySpin->setValue(95);
        Click(d.Button2);
    });
    const TRegistory before = settings;
    ASSERT_TRUE(dialog.Execute(settings));
    EXPECT_EQ(settings.Target, typed.string());
    EXPECT_EQ(settings.L1Front, "K");
    EXPECT_EQ(settings.L1Back, "x");
    EXPECT_EQ(settings.L4Back, "末");
    EXPECT_EQ(settings.FirstPage, !before.FirstPage);
    EXPECT_EQ(settings.FolderClear, !before.FolderClear);
    EXPECT_EQ(settings.WriteInhibit, !before.WriteInhibit);
    EXPECT_EQ(settings.WriteDate, !before.WriteDate);
    EXPECT_EQ(settings.Stretch, !before.Stretch);
    EXPECT_EQ(settings.HPCode, "0099");
    EXPECT_EQ(settings.Quality, 95);
    EXPECT_EQ(settings.PdfPageHeight, 1200);
    EXPECT_EQ(settings.PdfPageWidth, 800);
}

TEST_F(TPdfOutSetTest, TypedBaseFolderCountsOverTheTree)
{
    QString message;
    QString treeFolder;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        treeFolder = d.ShellTreeView1->SelectedFolder();
        d.PdfSetPathDisp->setText(QString::fromStdString((charts / "nowhere").string()));
        Click(d.Button2);
        message = d.StatusBar1->currentMessage();
        Click(d.Button1);
    });
    EXPECT_FALSE(dialog.Execute(settings));
    EXPECT_EQ(treeFolder.toStdString(), charts.string());
    EXPECT_EQ(message, "ベースフォルダーエラー");
}

TEST_F(TPdfOutSetTest, DefaultsButtonThenConfirmStoresTheDefaultPageSize)
{
    QString shownHeight, shownWidth, height, width;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        shownHeight = d.Edit1->text();
        shownWidth = d.Edit2->text();
        Click(d.Button3);
        height = d.Edit1->text();
        width = d.Edit2->text();
        Click(d.Button2);
    });
    ASSERT_TRUE(dialog.Execute(settings));
    EXPECT_EQ(shownHeight, "1200");
    EXPECT_EQ(shownWidth, "800");
    EXPECT_EQ(height, "1000");
    EXPECT_EQ(width, "700");
    EXPECT_EQ(settings.PdfPageHeight, 1000);
    EXPECT_EQ(settings.PdfPageWidth, 700);
}

TEST_F(TPdfOutSetTest, CancelAfterAFailedSetLeavesSettingsUnchanged)
{
    const TRegistory before = settings;
    QString message;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        d.Edit1->setText("500"); // parsed by the checks before the width fails them
        d.Edit2->setText("50");
        d.L2B->setText("zz");
        d.HPCodeEdit->setText("77");
        Click(d.ScanClrCheck);
        d.QualitySpin->setValue(60);
        Click(d.Button2);
        message = d.StatusBar1->currentMessage();
        Click(d.Button1);
    });
    EXPECT_FALSE(dialog.Execute(settings));
    EXPECT_EQ(message, "縦か横のサイズが少ないエラー");
    EXPECT_EQ(settings.PdfPageHeight, before.PdfPageHeight);
    EXPECT_EQ(settings.PdfPageWidth, before.PdfPageWidth);
    EXPECT_EQ(settings.L2Back, before.L2Back);
    EXPECT_EQ(settings.HPCode, before.HPCode);
    EXPECT_EQ(settings.FolderClear, before.FolderClear);
    EXPECT_EQ(settings.Quality, before.Quality);

    // The next opening shows the stored page size again.
    QString height;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        height = d.Edit1->text();
        Click(d.Button1);
    });
    dialog.Execute(settings);
    EXPECT_EQ(height, "1200");
}

TEST_F(TPdfOutSetTest, RestoringTheMinimizedDialogKeepsWhatWasTyped)
{
    QString height, message;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        d.Edit1->setText("99");
        Click(d.Button2);
        quillora::test::MinimizeAndRestore(d);
        height = d.Edit1->text();
        message = d.StatusBar1->currentMessage();
        Click(d.Button1);
    });
    EXPECT_FALSE(dialog.Execute(settings));
    EXPECT_EQ(height, "99");
    EXPECT_EQ(message, "縦か横のサイズが少ないエラー");
}

TEST_F(TPdfOutSetTest, QualityStaysWithin50To100)
{
    settings.Quality = 30;
    int shown = 0, afterTyping = 0, afterEmpty = 0;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        shown = d.QualitySpin->value();
        d.QualitySpin->setFocus();
        d.QualitySpin->selectAll();
        QTest::keyClicks(d.QualitySpin, "12");
        d.QualitySpin->interpretText();
        afterTyping = d.QualitySpin->value();
        d.QualitySpin->setValue(90);
        d.QualitySpin->selectAll();
        QTest::keyClick(d.QualitySpin, Qt::Key_Delete);
        Click(d.Button2);
        afterEmpty = d.QualitySpin->value();
    });
    ASSERT_TRUE(dialog.Execute(settings));
    EXPECT_EQ(shown, 50);
    EXPECT_EQ(afterTyping, 50);
    EXPECT_EQ(afterEmpty, 50);
    EXPECT_EQ(settings.Quality, 50);

    settings.Quality = 300;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        shown = d.QualitySpin->value();
        Click(d.Button1);
    });
    dialog.Execute(settings);
    EXPECT_EQ(shown, 100);
}

TEST_F(TPdfOutSetTest, TypedQualityOutsideTheRangeGoesToTheNearestBound)
{
    for (const auto& [typed, expected] :
         {std::pair{"150", 100}, {"101", 100}, {"999", 100}, {"20", 50}, {"75", 75}}) {
        WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
            d.QualitySpin->setFocus();
            d.QualitySpin->selectAll();
            QTest::keyClicks(d.QualitySpin, typed);
            Click(d.Button2);
        });
        ASSERT_TRUE(dialog.Execute(settings)) << typed;
        EXPECT_EQ(settings.Quality, expected) << typed;
    }
}

TEST_F(TPdfOutSetTest, AVanishedBaseFolderStartsAtTheFileSystemRoot)
{
    settings.Target = (charts / "gone").string();
    QString shown;
    WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        shown = d.PdfSetPathDisp->text();
        Click(d.Button1);
    });
    dialog.Execute(settings);
    EXPECT_EQ(shown, quillora::settings_ui::FallbackFolder());
}

} // namespace
