// Test main shared by every suite: isolated home, offscreen Qt, GoogleTest.
#include "support/test_env.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    quillora::test::isolateHome();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    quillora::test::removeTestHome();
    return rc;
}
