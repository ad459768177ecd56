// The four warning windows of the save: captions, colours, sizes, texts, and which choice
// each real button (or closing the window) gives back.
#include "app/warnings/TDeleteWarningForm.h"
#include "app/warnings/TNotDelete.h"
#include "app/warnings/TNotMakeFolder.h"
#include "app/warnings/TNotOverwrite.h"
#include "support/ModalDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using quillora::test::CloseWhenModal;
using quillora::test::PressWhenModal;
using quillora::test::WhenModal;

namespace {

QStringList LabelTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

QStringList ButtonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    return texts;
}

void ExpectWarningFrame(const QDialog& dialog, int width, int height)
{
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("警告"));
    EXPECT_EQ(dialog.size(), QSize(width, height));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::yellow));
    EXPECT_TRUE(dialog.autoFillBackground());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);
}

} // namespace

TEST(WarningWindows, NotOverwriteShowsTheChartAndClosesWithItsButton)
{
    TNotOverwrite dialog;
    ExpectWarningFrame(dialog, 228, 113);
    EXPECT_EQ(ButtonTexts(dialog), QStringList{QString::fromUtf8("了解")});

    QStringList shown;
    WhenModal<QWidget>([&](QWidget& modal) {
        shown = LabelTexts(modal);
        QTest::mouseClick(quillora::test::FindButton(modal, QString::fromUtf8("了解")), Qt::LeftButton);
    });
    dialog.Warn(QStringLiteral("HP0012_12345_0.pdf"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("HP0012_12345_0.pdf"),
                                  QString::fromUtf8("ファイルの上書きができません。")}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(WarningWindows, NotMakeFolderShowsThePathAndTheThreeCauses)
{
    TNotMakeFolder dialog;
    ExpectWarningFrame(dialog, 526, 127);
    PressWhenModal(QString::fromUtf8("了解"));
    dialog.Warn(QStringLiteral("/charts/00/01/23/45"));
    EXPECT_EQ(
        LabelTexts(dialog),
        (QStringList{QStringLiteral("/charts/00/01/23/45"),
                     QString::fromUtf8("ファイルまたはフォルダーを作成できません。　"),
                     QString::fromUtf8("Diskの容量不足または書き込み不可のデバイスの可能性があります。"),
                     QString::fromUtf8("又は、使用中の可能性があります。")}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(WarningWindows, DeleteWarningNamesTheFolderInBoldRed)
{
    TDeleteWarningForm dialog;
    ExpectWarningFrame(dialog, 339, 116);
    EXPECT_EQ(LabelTexts(dialog),
              (QStringList{QString::fromUtf8("以下のフォルダーにあるファイルは、全て削除されます。"),
                           QString::fromUtf8("削除してよいですか？")}));
    EXPECT_EQ(ButtonTexts(dialog), (QStringList{QStringLiteral("Ok"), QStringLiteral("Cancel")}));

    const QLabel* headline = dialog.findChildren<QLabel*>().front();
    EXPECT_TRUE(headline->font().bold());
    EXPECT_EQ(headline->palette().color(QPalette::WindowText), QColor(Qt::red));

    const QLineEdit* field = dialog.FileDirLabel;
    EXPECT_EQ(field->objectName(), QStringLiteral("FileDirLabel"));
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_FALSE(field->hasFrame());
    EXPECT_TRUE(field->font().bold());
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::yellow));
}

struct ConfirmCase {
    const char* name;
    std::function<void()> answer;
    bool confirmed;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ConfirmCase& c, std::ostream* os) { *os << c.name; }

class DeleteWarningAnswers : public ::testing::TestWithParam<ConfirmCase> { };

TEST_P(DeleteWarningAnswers, OnlyOkConfirms)
{
    TDeleteWarningForm dialog;
    GetParam().answer();
    EXPECT_EQ(dialog.Confirm(QStringLiteral("/home/clerk/Quillora/Scanner")), GetParam().confirmed);
    EXPECT_EQ(dialog.FileDirLabel->text(), QStringLiteral("/home/clerk/Quillora/Scanner"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeleteWarningAnswers,
    ::testing::Values(
        ConfirmCase{"Ok", [] { PressWhenModal(QStringLiteral("Ok")); }, true},
        ConfirmCase{"Cancel", [] { PressWhenModal(QStringLiteral("Cancel")); }, false},
        ConfirmCase{"Closed", [] { CloseWhenModal(); }, false},
        ConfirmCase{"Escape",
                    [] { WhenModal<QWidget>([](QWidget& m) { QTest::keyClick(&m, Qt::Key_Escape); }); },
                    false},
        ConfirmCase{"Return",
                    [] { WhenModal<QWidget>([](QWidget& m) { QTest::keyClick(&m, Qt::Key_Return); }); },
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

struct NotDeleteCase {
    const char* name;
    std::function<void()> answer;
    TNotDelete::Choice choice;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const NotDeleteCase& c, std::ostream* os) { *os << c.name; }

class NotDeleteAnswers : public ::testing::TestWithParam<NotDeleteCase> { };

TEST_P(NotDeleteAnswers, ChoiceFollowsTheButton)
{
    TNotDelete dialog;
    ExpectWarningFrame(dialog, 228, 113);
    GetParam().answer();
    EXPECT_EQ(dialog.Ask(QStringLiteral("/scan/page1.jpg")), GetParam().choice);
    EXPECT_EQ(LabelTexts(dialog),
              (QStringList{QStringLiteral("page1.jpg"), QString::fromUtf8("ファイルの削除ができません。")}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, NotDeleteAnswers,
    ::testing::Values(NotDeleteCase{"Next", [] { PressWhenModal(QString::fromUtf8("次の削除へ")); },
                                    TNotDelete::Choice::NextFile},
                      NotDeleteCase{"Stop", [] { PressWhenModal(QString::fromUtf8("削除終了")); },
                                    TNotDelete::Choice::StopClearing},
                      NotDeleteCase{"Closed", [] { CloseWhenModal(); }, TNotDelete::Choice::NextFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WarningWindows, TakeTheOwnersFont)
{
    QWidget owner;
    QFont font(QStringLiteral("IPAGothic"), 9);
    font.setItalic(true); // a property the application font surely lacks
    owner.setFont(font);
    TNotOverwrite dialog(&owner);
    EXPECT_TRUE(dialog.font().italic());
    EXPECT_TRUE(dialog.Label1->font().italic());
}

TEST(WarningWindows, CanBeShownAgainAfterClosing)
{
    QWidget owner;
    TNotDelete dialog(&owner);
    PressWhenModal(QString::fromUtf8("削除終了"));
    EXPECT_EQ(dialog.Ask(QStringLiteral("a.jpg")), TNotDelete::Choice::StopClearing);
    PressWhenModal(QString::fromUtf8("次の削除へ"));
    EXPECT_EQ(dialog.Ask(QStringLiteral("b.jpg")), TNotDelete::Choice::NextFile);
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("b.jpg"));
}

TEST(WarningWindows, EveryLineAndButtonFitsTheFixedSize)
{
    TNotOverwrite notOverwrite;
    TNotMakeFolder notMakeFolder;
    TDeleteWarningForm deleteWarning;
    TNotDelete notDelete;
    for (QDialog* dialog :
         std::initializer_list<QDialog*>{&notOverwrite, &notMakeFolder, &deleteWarning, &notDelete}) {
        dialog->show();
        for (const QWidget* child : dialog->findChildren<QWidget*>()) {
            SCOPED_TRACE(dialog->objectName().toStdString() + " " + child->metaObject()->className());
            EXPECT_TRUE(dialog->rect().contains(child->geometry()));
            EXPECT_GE(child->height(), child->fontMetrics().height());
        }
        dialog->hide();
    }
}
