// Test main of the suites with Qt: isolated home, offscreen Qt, GoogleTest, and a check after
// every test that the modal windows it expected appeared and none is left open.
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    quillora::test::IsolateHome();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    quillora::test::InstallModalChecks();
    const int rc = RUN_ALL_TESTS();
    quillora::test::RemoveTestHome();
    return rc;
}
