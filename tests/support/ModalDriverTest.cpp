// The modal driver itself: a window that never appears, or that a step leaves open, fails the
// test instead of hanging it.
#include "support/ModalDriver.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

constexpr int kShortTimeoutMs = 200;

// Returns only because the driver closes the dialog once its step has left it open.
int RunADialogItsStepLeavesOpen()
{
    QDialog dialog;
    quillora::test::WhenModal<QDialog>([](QDialog&) {}, kShortTimeoutMs);
    return dialog.exec();
}

void WaitForAWindowThatNeverOpens()
{
    bool stepRan = false;
    quillora::test::WhenModal<QDialog>([&](QDialog&) { stepRan = true; }, kShortTimeoutMs);
    QTest::qWait(5 * kShortTimeoutMs);
    EXPECT_FALSE(stepRan);
}

// The test ends before the timeout could tell that the window is missing.
void EndATestWhoseWindowNeverOpened()
{
    quillora::test::PressWhenModal(QStringLiteral("Ok"));
    quillora::test::FinishModalExpectations();
}

void EndATestWithAModalWindowStillShown()
{
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    quillora::test::FinishModalExpectations();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ModalDriver, AWindowLeftOpenFailsInsteadOfHanging)
{
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(RunADialogItsStepLeavesOpen(), QDialog::Rejected),
                            "modal window was left open");
}

TEST(ModalDriver, AWindowThatNeverAppearsFails)
{
    EXPECT_NONFATAL_FAILURE(WaitForAWindowThatNeverOpens(), "modal window did not appear");
}

TEST(ModalDriver, AnExpectedWindowStillMissingWhenTheTestEndsFails)
{
    EXPECT_NONFATAL_FAILURE(
        EndATestWhoseWindowNeverOpened(),
        "modal window did not appear before the test ended: a window with the button \"Ok\"");
}

TEST(ModalDriver, AModalWindowStillOpenWhenTheTestEndsFailsAndIsClosed)
{
    EXPECT_NONFATAL_FAILURE(EndATestWithAModalWindowStillShown(), "modal window was left open at the end");
}

TEST(ModalDriver, PressesTheNamedButtonOfTheWindowThatHasIt)
{
    QDialog dialog;
    auto* ok = new QPushButton(QStringLiteral("Ok"), &dialog);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    quillora::test::PressWhenModal(QStringLiteral("Ok"));
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

} // namespace
