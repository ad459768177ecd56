// The intake settings dialog driven through its real buttons, with a fake main window.
#include "settings/ui/TReadSet.h"
#include "settings/TRegistory.h"
#include "settings/ui/FolderTree.h"
#include "settings/ui/RadioGroup.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <filesystem>
#include <gtest/gtest.h>

using quillora::test::Click;
using quillora::test::WhenModal;

namespace {

class FakeMainWindow : public quillora::settings_ui::ReadSetHost {
public:
    void SetSerialNumberText(const QString& text) override { serialField = text; }
    void RedrawPages() override { ++redraws; }
    QString serialField = "5";
    int redraws = 0;
};

class TReadSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        scanner = quillora::test::TestHome() / "scanner";
        std::filesystem::create_directories(scanner);
        settings.ScannerDir = scanner.string();
        settings.VolNo = "3";
    }

    std::filesystem::path scanner;
    TRegistory settings;
    FakeMainWindow host;
    TReadSet dialog;
};

TEST_F(TReadSetTest, RefusesBadSerialNumbersAndTakes007)
{
    std::vector<std::pair<QString, bool>> seen; // status text, still open
    WhenModal<TReadSet>([&](TReadSet& d) {
        for (const char* bad : {"1000", "-1", "abc"}) {
            d.VolNoEdit->setText(bad);
            Click(d.Button1);
            seen.emplace_back(d.StatusBar1->currentMessage(), d.isVisible());
        }
        d.VolNoEdit->setText("007");
        Click(d.Button1);
    });
    EXPECT_TRUE(dialog.Execute(settings, host));
    ASSERT_EQ(seen.size(), 3u);
    for (const auto& [message, open] : seen) {
        EXPECT_EQ(message, "*** 連番 エラー");
        EXPECT_TRUE(open);
    }
    EXPECT_EQ(settings.VolNo, "007");
    EXPECT_EQ(host.serialField, "007");
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(TReadSetTest, AcceptsTheBoundsOfTheSerialNumber)
{
    for (const char* good : {"0", "999"}) {
        WhenModal<TReadSet>([&](TReadSet& d) {
            d.VolNoEdit->setText(good);
            Click(d.Button1);
        });
        EXPECT_TRUE(dialog.Execute(settings, host)) << good;
        EXPECT_EQ(settings.VolNo, good);
    }
}

TEST_F(TReadSetTest, CancelAfterChangingEveryControlChangesNothing)
{
    const TRegistory before = settings;
    WhenModal<TReadSet>([&](TReadSet& d) {
        d.ShellTreeView1->SelectFolder(QDir::rootPath());
        for (QCheckBox* box : {d.JpegBox, d.TiffBox, d.BitmapBox, d.PngBox, d.ThumbCheck})
            Click(box);
        Click(d.order->Item(1));
        Click(d.ImSizeRadio->Item(4));
        d.VolNoEdit->setText("12");
        Click(d.Button2);
    });
    EXPECT_FALSE(dialog.Execute(settings, host));
    EXPECT_EQ(settings.ScannerDir, before.ScannerDir);
    EXPECT_EQ(settings.JpegType, before.JpegType);
    EXPECT_EQ(settings.PngType, before.PngType);
    EXPECT_EQ(settings.Sequence, before.Sequence);
    EXPECT_EQ(settings.ImSize, before.ImSize);
    EXPECT_EQ(settings.VolNo, before.VolNo);
    EXPECT_EQ(settings.ThumbStrech, before.ThumbStrech);
    EXPECT_EQ(host.serialField, "5");
    EXPECT_EQ(host.redraws, 0);

    // The next opening shows the settings again, not what was typed before the cancel.
    QString shownSerial;
    bool jpegShown = false;
    WhenModal<TReadSet>([&](TReadSet& d) {
        shownSerial = d.VolNoEdit->text();
        jpegShown = d.JpegBox->isChecked();
        Click(d.Button2);
    });
    dialog.Execute(settings, host);
    EXPECT_EQ(shownSerial, "3");
    EXPECT_TRUE(jpegShown);
}

TEST_F(TReadSetTest, RedrawsThumbnailsOnlyWhenSizeOrStretchingChanged)
{
    WhenModal<TReadSet>([&](TReadSet& d) {
        Click(d.TiffBox);
        Click(d.order->Item(1));
        Click(d.Button1);
    });
    ASSERT_TRUE(dialog.Execute(settings, host));
    EXPECT_FALSE(settings.TiffType);
    EXPECT_EQ(settings.Sequence, 1);
    EXPECT_EQ(host.redraws, 0);

    WhenModal<TReadSet>([&](TReadSet& d) {
        Click(d.ImSizeRadio->Item(3)); // "大": 160 by 160 thumbnails
        Click(d.Button1);
    });
    ASSERT_TRUE(dialog.Execute(settings, host));
    EXPECT_EQ(settings.ImSize, 3);
    EXPECT_EQ(host.redraws, 1);

    WhenModal<TReadSet>([&](TReadSet& d) {
        Click(d.ThumbCheck);
        Click(d.Button1);
    });
    ASSERT_TRUE(dialog.Execute(settings, host));
    EXPECT_TRUE(settings.ThumbStrech);
    EXPECT_EQ(host.redraws, 2);
}

TEST_F(TReadSetTest, StoresTheFolderSelectedInTheTree)
{
    const auto other = quillora::test::TestHome() / "other";
    std::filesystem::create_directories(other);
    QString shownAtStart, shownAfterClick, status;
    WhenModal<TReadSet>([&](TReadSet& d) {
        shownAtStart = d.ScanPathDisp->text();
        d.ShellTreeView1->SelectFolder(QString::fromStdString(other.string()));
        shownAfterClick = d.ScanPathDisp->text();
        status = d.StatusBar1->currentMessage();
        Click(d.Button1);
    });
    ASSERT_TRUE(dialog.Execute(settings, host));
    EXPECT_EQ(shownAtStart.toStdString(), scanner.string());
    EXPECT_EQ(shownAfterClick.toStdString(), other.string());
    EXPECT_EQ(status, shownAfterClick);
    EXPECT_EQ(settings.ScannerDir, other.string());
}

TEST_F(TReadSetTest, AVanishedScannerFolderStartsAtTheFileSystemRoot)
{
    settings.ScannerDir = (quillora::test::TestHome() / "gone").string();
    WhenModal<TReadSet>([&](TReadSet& d) { Click(d.Button1); });
    ASSERT_TRUE(dialog.Execute(settings, host));
    EXPECT_EQ(QString::fromStdString(settings.ScannerDir), QDir::toNativeSeparators(QDir::rootPath()));
}

} // namespace
