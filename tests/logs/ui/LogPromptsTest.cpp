// The real file dialog of "追加保存", driven through its own buttons.
#include "logs/LogFileSupport.h"
#include "logs/ui/LogWindowPrompts.h"
#include "support/ModalDriver.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using quillora::test::WhenModal;

namespace {

QString FolderText(const std::filesystem::path& folder) { return QString::fromStdString(folder.string()); }

QAbstractButton* DialogButton(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox*>()->button(which);
}

} // namespace

TEST(LogWindowPrompts, FileDialogOpensInTheFolderAndCancelGivesNothing)
{
    const auto folder = quillora::test::freshFolder("prompt-cancel");
    QString openedIn;
    bool asksBeforeOverwrite = true;
    QStringList filters;
    WhenModal<QWidget>([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        openedIn = dialog->directory().absolutePath();
        asksBeforeOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        filters = dialog->nameFilters();
        QTest::mouseClick(DialogButton(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
    });

    quillora::DialogLogWindowPrompts prompts;
    EXPECT_EQ(prompts.chooseAppendFile(nullptr, FolderText(folder)), std::nullopt);
    EXPECT_EQ(openedIn, FolderText(folder));
    EXPECT_FALSE(asksBeforeOverwrite);
    EXPECT_TRUE(filters.isEmpty() || filters == QStringList{QFileDialog().nameFilters()});
}

TEST(LogWindowPrompts, ChosenExistingFileIsReturnedWithoutAQuestion)
{
    const auto folder = quillora::test::freshFolder("prompt-choose");
    quillora::test::writeBytes(folder / "charts.log", "");
    WhenModal<QWidget>([](QWidget& modal) {
        auto* nameField = modal.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nameField, nullptr);
        QTest::keyClicks(nameField, QStringLiteral("charts.log"));
        QTest::mouseClick(DialogButton(&modal, QDialogButtonBox::Save), Qt::LeftButton);
    });

    quillora::DialogLogWindowPrompts prompts;
    const auto chosen = prompts.chooseAppendFile(nullptr, FolderText(folder));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, FolderText(folder / "charts.log"));
}
