// The editor window driven through its buttons, menus and mouse events on the offscreen platform.
#include "FileSizeLimit.h"
#include "support/ModalDriver.h"

#include "editor/ui/ImageView.h"
#include "editor/ui/TImageShow.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <gtest/gtest.h>

namespace quillora::editor {
namespace {

struct FakePrompts : EditorPrompts {
    std::optional<QColor> colour;
    std::optional<QFont> font;
    QFont lastFontOffered;
    std::optional<QString> commentFile;
    QStringList errors;
    std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return colour; }
    std::optional<QFont> ChooseFont(QWidget*, const QFont& last) override
    {
        lastFontOffered = last;
        return font;
    }
    std::optional<QString> ChooseCommentFileToLoad(QWidget*) override { return commentFile; }
    std::optional<QString> ChooseCommentFileToSave(QWidget*) override { return commentFile; }
    void ShowError(QWidget*, const QString& text) override { errors << text; }
};

QByteArray ReadBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TImageShowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<FakePrompts>();
        prompts = fake.get();
        window = std::make_unique<TImageShow>(std::move(fake));
        window->SetSavedHandler([this] { ++saves; });
        page = AddPage(QStringLiteral("page.png"));
    }

    QString AddPage(const QString& name)
    {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QString fileName = dir.filePath(name);
        EXPECT_TRUE(image.save(fileName));
        return fileName;
    }

    void Open(const QString& fileName)
    {
        window->ImageFileName = fileName;
        window->FormShow();
        window->show();
    }

    void Click(QToolBar* bar, QAction* action)
    {
        QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
    }

    void Drag(QPoint from, QPoint to)
    {
        QWidget* image = window->Image1;
        QTest::mousePress(image, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, image->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(image, &move);
        QTest::mouseRelease(image, Qt::LeftButton, {}, to);
    }

    QTemporaryDir dir;
    FakePrompts* prompts = nullptr;
    std::unique_ptr<TImageShow> window;
    QString page;
    int saves = 0;
};

TEST_F(TImageShowTest, DrawRotateAndSaveWritesThePage)
{
    Open(page);
    Click(window->ToolBar2, window->LineBtn);
    Drag({10, 50}, {110, 50});
    Click(window->ToolBar6, window->RotRieghtBtn);
    EXPECT_TRUE(window->UndoBtn->isEnabled());
    window->N2->trigger();

    const QImage saved(page);
    ASSERT_EQ(saved.size(), QSize(100, 200));
    EXPECT_EQ(saved.pixel(49, 60), qRgb(0, 0, 0)); // the line, turned to run downwards
    EXPECT_EQ(saved.pixel(49, 5), qRgb(255, 255, 255));
    EXPECT_EQ(saved.pixel(20, 60), qRgb(255, 255, 255));
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->StatusText(1), QString());
}

TEST_F(TImageShowTest, ClosingWithoutSavingLeavesTheFile)
{
    const QByteArray before = ReadBytes(page);
    Open(page);
    Drag({10, 10}, {90, 60});
    window->N4->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ReadBytes(page), before);
    EXPECT_EQ(saves, 0);
}

TEST_F(TImageShowTest, ReadOnlyFileIsWriteProtected)
{
    QFile::setPermissions(page, QFileDevice::ReadOwner);
    const QByteArray before = ReadBytes(page);
    Open(page);
    Drag({10, 10}, {90, 60});
    window->N2->trigger();
    EXPECT_EQ(window->StatusText(1), QStringLiteral("書き込み禁止です。"));
    EXPECT_EQ(ReadBytes(page), before);
    EXPECT_EQ(saves, 0);
}

TEST_F(TImageShowTest, FailedWriteIsReportedAndKeepsTheWindowAndTheFile)
{
    const QByteArray before = ReadBytes(page);
    Open(page);
    Drag({10, 10}, {190, 90});
    {
        quillora::test::FileSizeLimit limit(64);
        window->N2->trigger();
    }
    EXPECT_EQ(window->StatusText(1), QStringLiteral("保存できませんでした。"));
    EXPECT_EQ(prompts->errors.size(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ReadBytes(page), before);
    EXPECT_EQ(saves, 0);
}

TEST_F(TImageShowTest, UnreadablePageDisablesDrawingAndSaving)
{
    const QString bad = dir.filePath(QStringLiteral("bad.jpg"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no image");
    file.close();
    Open(page);
    Drag({10, 10}, {90, 60}); // a stroke on the previous page must not reach the bad one
    Open(bad);
    EXPECT_EQ(window->StatusText(1), QStringLiteral("イメージを読み込めません。"));
    EXPECT_FALSE(window->N2->isEnabled());
    EXPECT_FALSE(window->PenBtn->isEnabled());
    EXPECT_FALSE(window->UndoBtn->isEnabled());
    window->N2->trigger();
    EXPECT_EQ(ReadBytes(bad), QByteArray("no image"));
}

TEST_F(TImageShowTest, HiddenToolbarsStayHiddenForTheNextPage)
{
    Open(page);
    window->N8->trigger();
    EXPECT_FALSE(window->N8->isChecked());
    window->N4->trigger();
    Open(AddPage(QStringLiteral("next.png")));
    EXPECT_FALSE(window->ToolBar2->isVisible());
    EXPECT_TRUE(window->ToolBar1->isVisible());
    window->N8->trigger();
    EXPECT_TRUE(window->ToolBar2->isVisible());
    EXPECT_TRUE(window->N8->isChecked());
}

TEST_F(TImageShowTest, OpensModallyAtTheGivenZoomAndGivesBackTheLastZoom)
{
    window->ImageFileName = page;
    window->SetZoomIndex(15);
    QString shown;
    quillora::test::WhenModal<QWidget>([&](QWidget&) {
        shown = window->StatusText(0);
        Click(window->ToolBar1, window->ZoomOutBtn);
        QTest::mouseClick(window->ToolBar4->widgetForAction(window->ColorBtn), Qt::LeftButton);
        window->N4->trigger();
    });
    prompts->colour = QColor(Qt::red);
    window->ShowModal(nullptr);
    EXPECT_EQ(shown, QStringLiteral("5.64"));
    EXPECT_EQ(window->ZoomIndex(), 9);
    EXPECT_EQ(window->State().PenColor(), 0xFF0000u);
    EXPECT_EQ(window->Image1->size(), QSize(800, 400));
}

TEST_F(TImageShowTest, CommentListSurvivesTheNextPageAndRoundTripsThroughAFile)
{
    Open(page);
    window->StrBox->setEditText(QStringLiteral("要再診"));
    window->StrAddItem->trigger();
    window->StrAddItem->trigger();
    prompts->commentFile = dir.filePath(QStringLiteral("comments.txt"));
    window->CommentSaveItem->trigger();
    window->StrClearItem->trigger();
    EXPECT_EQ(window->StrBox->count(), 0);
    EXPECT_EQ(window->StrBox->currentText(), QString());
    window->StrBox->setEditText(QStringLiteral("typed"));
    window->CommentLoadItem->trigger();
    window->N4->trigger();
    Open(page);
    EXPECT_EQ(window->StrBox->count(), 2);
    EXPECT_EQ(window->StrBox->itemText(1), QStringLiteral("要再診"));
    EXPECT_EQ(window->StrBox->currentText(), QStringLiteral("typed"));
}

TEST_F(TImageShowTest, ChosenFontStampsUntilTheNextShowingAndStaysTheDialogsChoice)
{
    Open(page);
    const int windowFontHeight = window->State().TextFont().font.pixelSize();
    EXPECT_EQ(windowFontHeight, 12);
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPointSize(36);
    prompts->font = big;
    Click(window->ToolBar5, window->StrPropertyBtn);
    EXPECT_EQ(window->State().TextFont().font.pixelSize(),
              static_cast<int>(std::lround(36 * window->logicalDpiY() / 72.0)));
    window->N4->trigger();
    Open(page);
    EXPECT_EQ(window->State().TextFont().font.pixelSize(), windowFontHeight);
    prompts->font.reset();
    Click(window->ToolBar5, window->StrPropertyBtn);
    EXPECT_EQ(prompts->lastFontOffered.pointSize(), 36);
}

} // namespace
} // namespace quillora::editor
