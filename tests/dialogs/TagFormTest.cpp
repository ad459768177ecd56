// The picker window run modally, driven through its real buttons and edit fields.
#include "dialogs/TTagForm.h"
#include "settings/TRegistory.h"
#include "support/ModalDriver.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using quillora::test::WhenModal;

namespace {

class TagFormRun : public ::testing::Test {
protected:
    // Runs the picker modally; `act` drives it once it is shown.
    int run(std::function<void(TTagForm&)> act)
    {
        WhenModal<QWidget>([this, act = std::move(act)](QWidget& modal) {
            EXPECT_EQ(&modal, &form);
            act(form);
        });
        return form.exec();
    }

    static void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Replaces the field's text as a clerk does: select all, then type. Japanese text arrives
    // committed by the input method.
    static void retype(QLineEdit* edit, const QString& text)
    {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(edit, &typed);
    }

    TRegistory settings;
    TTagForm form{settings};
};

} // namespace

TEST_F(TagFormRun, LayoutCaptionAndFields)
{
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("しおり"));
    EXPECT_EQ(form.size(), QSize(288, 213));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinMaxButtonsHint);
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const QLineEdit* edit = form.Edits[k - 1];
        const QPushButton* button = form.Buttons[k - 1];
        EXPECT_EQ(edit->objectName(), QStringLiteral("Edit%1").arg(k));
        EXPECT_EQ(button->objectName(), QStringLiteral("Button%1").arg(k));
        EXPECT_EQ(edit->width(), 81);
        EXPECT_EQ(button->size(), QSize(21, 21));
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_EQ(button->y(), edit->y());
        EXPECT_GT(button->x(), edit->x() + edit->width() - 1); // at the field's right
        EXPECT_EQ(edit->maxLength(), QLineEdit().maxLength());
        EXPECT_TRUE(form.rect().contains(button->geometry()));
    }
    EXPECT_LT(form.Edits[0]->x(), form.Edits[5]->x()); // Edit6 heads the right column
    EXPECT_EQ(form.Edits[0]->y(), form.Edits[5]->y());
    EXPECT_LT(form.Edits[3]->y(), form.Edits[4]->y());
}

TEST_F(TagFormRun, ButtonBesideAPresetPicksIt)
{
    QStringList shown;
    const int result = run([&](TTagForm& f) {
        for (const QLineEdit* edit : f.Edits)
            shown << edit->text();
        press(f.Buttons[3]);
    });
    EXPECT_EQ(shown, QString::fromUtf8("検査,処方,放射線,処置,手術,注射,外来,入院,,").split(u','));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(form.ChosenTitle(), QString::fromUtf8("処置"));
    EXPECT_EQ(form.PageTitle(), QString::fromUtf8("処置"));
}

TEST_F(TagFormRun, TypedTextIsPickedAndStoredAsThePreset)
{
    const int result = run([](TTagForm& f) {
        retype(f.Edits[8], QString::fromUtf8("再診"));
        press(f.Buttons[8]);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(form.ChosenTitle(), QString::fromUtf8("再診"));
    EXPECT_EQ(settings.Tag9, "再診");
}

TEST_F(TagFormRun, CloseBoxCancelsButKeepsTheEditedPreset)
{
    const int result = run([](TTagForm& f) {
        retype(f.Edits[0], QStringLiteral("lab"));
        f.close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(settings.Tag1, "lab");
    EXPECT_TRUE(form.ChosenTitle().isEmpty());
}

TEST_F(TagFormRun, ReturnInAFieldDoesNotPressAButton)
{
    const int result = run([](TTagForm& f) {
        QTest::keyClick(f.Edits[2], Qt::Key_Return);
        EXPECT_TRUE(f.isVisible());
        f.close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(form.ChosenTitle().isEmpty());
}

TEST_F(TagFormRun, EmptyFieldGivesAnEmptyTitle)
{
    run([](TTagForm& f) { press(f.Buttons[9]); });
    EXPECT_TRUE(form.ChosenTitle().isEmpty());
    EXPECT_TRUE(form.PageTitle().isEmpty());
}

TEST_F(TagFormRun, LongTitleIsCutForThePageOnly)
{
    settings.Tag2 = "あいうえおかきくけこ";
    run([](TTagForm& f) { press(f.Buttons[1]); });
    EXPECT_EQ(form.ChosenTitle(), QString::fromUtf8("あいうえおかきくけこ"));
    EXPECT_EQ(form.PageTitle(), QString::fromUtf8("あいうえおかきく"));
    EXPECT_EQ(settings.Tag2, "あいうえおかきくけこ");
}

TEST_F(TagFormRun, EachShowingReloadsThePresets)
{
    run([](TTagForm& f) { press(f.Buttons[0]); });
    settings.Tag1 = "changed elsewhere";
    QString shown;
    run([&](TTagForm& f) {
        shown = f.Edits[0]->text();
        f.close();
    });
    EXPECT_EQ(shown, QStringLiteral("changed elsewhere"));
    EXPECT_EQ(form.ChosenTitle(), QString::fromUtf8("検査")); // the last pressed button's text
}

TEST_F(TagFormRun, TitleWithCharactersTheChartCannotHoldIsKeptButNamed)
{
    QString tipBefore, tipAfter;
    const int result = run([&](TTagForm& f) {
        retype(f.Edits[2], QString::fromUtf8("Röntgen"));
        tipBefore = f.Edits[2]->toolTip();
        retype(f.Edits[2], QString::fromUtf8("放射線"));
        tipAfter = f.Edits[2]->toolTip();
        retype(f.Edits[2], QString::fromUtf8("Röntgen"));
        press(f.Buttons[2]);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(tipBefore.contains(QString::fromUtf8("ö"))) << tipBefore.toStdString();
    EXPECT_TRUE(tipAfter.isEmpty());
    EXPECT_EQ(settings.Tag3, "Röntgen");
    EXPECT_EQ(form.ChosenTitle(), QString::fromUtf8("Röntgen"));
}
