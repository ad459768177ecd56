// The chart list window over a real folder: listing, view styles, opening, navigation,
// renaming and properties.
#include "inquiry/TView.h"
#include "inquiry/FileListModel.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QAbstractItemView>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using quillora::inquiry::ViewStyle;
using quillora::test::Click;
using quillora::test::WhenModal;
namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, std::size_t bytes)
{
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

class TViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int run = 0;
        patient = quillora::test::TestHome() / ("view-" + std::to_string(++run)) / "00" / "12";
        fs::create_directories(patient / "scans");
        WriteFile(patient / "HP0012_12_1_2024_3_7.pdf", 300);
        WriteFile(patient / "HP0012_12_0_2024_3_7.pdf", 200);
        WriteFile(patient / ".~HP0012_12_2_2024_3_7.pdf.x1", 50); // a chart still being written
        window.SetOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
        window.SetFolder(Q(patient));
        window.show();
    }

    static QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

    // The listing arrives from a background reader; wait until it shows `names`.
    bool ListShows(const QStringList& names)
    {
        return QTest::qWaitFor([&] { return window.ShellListView1->ItemNames() == names; }, 5000);
    }

    QModelIndex ItemNamed(const QString& name) const
    {
        const auto* model = window.ShellListView1->Model();
        return model->IndexOf(QDir(window.ShellListView1->Folder()).filePath(name));
    }

    fs::path patient;
    TView window;
    QList<QUrl> opened;
};

const QStringList kPatientListing = {"scans", "HP0012_12_0_2024_3_7.pdf", "HP0012_12_1_2024_3_7.pdf"};

TEST_F(TViewTest, ListsFoldersThenChartsSortedInTheDetailsView)
{
    EXPECT_TRUE(ListShows(kPatientListing)) << window.ShellListView1->ItemNames().join(", ").toStdString();
    EXPECT_EQ(window.ShellListView1->Style(), ViewStyle::Details);
    EXPECT_TRUE(window.ToolButton4->isChecked());
    const auto* model = window.ShellListView1->Model();
    QStringList heads;
    for (int column = 0; column < 4; ++column)
        heads << model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(heads, QStringList({"名前", "サイズ", "種類", "更新日時"}));
    EXPECT_EQ(window.windowTitle(), "カルテリスト");
}

TEST_F(TViewTest, ViewStyleButtonsSwitchTheStyle)
{
    const std::vector<std::pair<QToolButton*, ViewStyle>> buttons = {
        {window.ToolButton1, ViewStyle::LargeIcons},
        {window.ToolButton2, ViewStyle::List},
        {window.ToolButton3, ViewStyle::SmallIcons},
        {window.ToolButton4, ViewStyle::Details}};
    for (const auto& [button, style] : buttons) {
        Click(button);
        EXPECT_EQ(window.ShellListView1->Style(), style);
        EXPECT_TRUE(button->isChecked());
        EXPECT_TRUE(window.ShellListView1->ActiveView()->isVisible());
    }
}

TEST_F(TViewTest, DoubleClickOrEnterOpensAChartAndTheWindowStays)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    QAbstractItemView* view = window.ShellListView1->ActiveView();
    const QModelIndex chart = ItemNamed("HP0012_12_0_2024_3_7.pdf");
    // A double-click as the system delivers it: a click, then the second press as a double-click.
    const QPoint where = view->visualRect(chart).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front(), QUrl::fromLocalFile(Q(patient / "HP0012_12_0_2024_3_7.pdf")));
    EXPECT_TRUE(window.isVisible());

    Click(window.ToolButton2); // the list style opens the same way
    view = window.ShellListView1->ActiveView();
    view->setCurrentIndex(ItemNamed("HP0012_12_1_2024_3_7.pdf"));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.back().toLocalFile(), Q(patient / "HP0012_12_1_2024_3_7.pdf"));
}

TEST_F(TViewTest, EnterOnAFolderListsItAndBackspaceGoesToTheParent)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    QAbstractItemView* view = window.ShellListView1->ActiveView();
    view->setCurrentIndex(ItemNamed("scans"));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(window.ShellListView1->Folder(), Q(patient / "scans"));
    EXPECT_TRUE(opened.isEmpty());

    QTest::keyClick(window.ShellListView1->ActiveView(), Qt::Key_Backspace);
    EXPECT_EQ(window.ShellListView1->Folder(), Q(patient));
    QTest::keyClick(window.ShellListView1->ActiveView(), Qt::Key_Backspace);
    EXPECT_EQ(window.ShellListView1->Folder(), Q(patient.parent_path()));
    EXPECT_TRUE(ListShows({"12"}));
    EXPECT_EQ(window.StatusBar1->currentMessage(), Q(patient.parent_path()));
}

TEST_F(TViewTest, F5ReloadsTheFolder)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    WriteFile(patient / "HP0012_12_2_2024_3_8.pdf", 10);
    QTest::keyClick(window.ShellListView1->ActiveView(), Qt::Key_F5);
    EXPECT_TRUE(ListShows(kPatientListing + QStringList{"HP0012_12_2_2024_3_8.pdf"}));
}

TEST_F(TViewTest, RenamesInPlaceAndBackspaceStaysInTheEditor)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    const QModelIndex chart = ItemNamed("HP0012_12_1_2024_3_7.pdf");
    window.ShellListView1->StartRename(chart);
    QAbstractItemView* view = window.ShellListView1->ActiveView();
    ASSERT_TRUE(window.ShellListView1->IsRenaming());
    auto* editor = view->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("renamed.pdfx");
    QTest::keyClick(editor, Qt::Key_Backspace); // edits the name, does not leave the folder
    EXPECT_EQ(editor->text(), "renamed.pdf");
    EXPECT_EQ(window.ShellListView1->Folder(), Q(patient));
    QTest::keyClick(editor, Qt::Key_Return); // the editor commits from the event loop
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(patient / "renamed.pdf"); }, 5000));
    EXPECT_FALSE(window.ShellListView1->IsRenaming());
    EXPECT_FALSE(fs::exists(patient / "HP0012_12_1_2024_3_7.pdf"));
}

TEST_F(TViewTest, RefusesARenameOntoAnExistingName)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    auto* model = window.ShellListView1->Model();
    const QModelIndex chart = ItemNamed("HP0012_12_1_2024_3_7.pdf");
    EXPECT_FALSE(model->setData(chart, "HP0012_12_0_2024_3_7.pdf", Qt::EditRole));
    EXPECT_FALSE(model->setData(chart, "a/b.pdf", Qt::EditRole));
    EXPECT_TRUE(fs::exists(patient / "HP0012_12_1_2024_3_7.pdf"));
    EXPECT_EQ(fs::file_size(patient / "HP0012_12_0_2024_3_7.pdf"), 200u);
    EXPECT_FALSE(window.StatusBar1->currentMessage().isEmpty());
}

TEST_F(TViewTest, AltEnterShowsTheProperties)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    QAbstractItemView* view = window.ShellListView1->ActiveView();
    view->setCurrentIndex(ItemNamed("HP0012_12_1_2024_3_7.pdf"));
    QString text, title;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        Click(box.button(QMessageBox::Ok));
    });
    QTest::keyClick(view, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(title, "プロパティ");
    EXPECT_TRUE(text.contains("名前: HP0012_12_1_2024_3_7.pdf")) << text.toStdString();
    EXPECT_TRUE(text.contains("サイズ: 300 バイト")) << text.toStdString();
    EXPECT_TRUE(text.contains("更新日時: ")) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(Q(patient)))) << text.toStdString();
    EXPECT_TRUE(opened.isEmpty()) << "Alt+Enter must not open the chart";
}

TEST_F(TViewTest, ContextMenuOpensRenamesAndShowsProperties)
{
    ASSERT_TRUE(ListShows(kPatientListing));
    const QModelIndex chart = ItemNamed("HP0012_12_0_2024_3_7.pdf");
    std::unique_ptr<QMenu> menu(window.BuildContextMenu(chart));
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    ASSERT_EQ(texts, QStringList({"開く", "名前の変更", "プロパティ"}));
    menu->actions().at(0)->trigger();
    ASSERT_EQ(opened.size(), 1);
    menu->actions().at(1)->trigger();
    EXPECT_TRUE(window.ShellListView1->IsRenaming());
}

} // namespace
