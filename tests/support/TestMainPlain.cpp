// Test main of the suites of the layers without Qt: isolated home, GoogleTest.
#include "support/TestEnv.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    quillora::test::IsolateHome();
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    quillora::test::RemoveTestHome();
    return rc;
}
