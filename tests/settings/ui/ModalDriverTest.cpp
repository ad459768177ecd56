// The modal driver itself: a window that never appears, or that a step leaves open, fails the
// test instead of hanging it.
#include "settings/ui/ModalDriver.h"

#include <QDialog>
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

TEST(ModalDriver, AWindowLeftOpenFailsInsteadOfHanging)
{
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(RunADialogItsStepLeavesOpen(), QDialog::Rejected),
                            "modal window was left open");
}

TEST(ModalDriver, AWindowThatNeverAppearsFails)
{
    EXPECT_NONFATAL_FAILURE(WaitForAWindowThatNeverOpens(), "modal window did not appear");
}

} // namespace
