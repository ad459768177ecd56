// Not a check: a picture of the chart list for the documentation. Run with
//   QUILLORA_SCREENSHOT_DIR=docs test_inquiry --gtest_also_run_disabled_tests
//     --gtest_filter='*Screenshot*'
// QUILLORA_SCREENSHOT_HOME names the folder that stands for the clerk's home in the picture.
#include "inquiry/TView.h"
#include "support/TestEnv.h"

#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(DISABLED_Screenshot, ChartList)
{
    const char* sampleHome = std::getenv("QUILLORA_SCREENSHOT_HOME");
    const auto home = sampleHome ? std::filesystem::path(sampleHome) : quillora::test::TestHome();
    const auto patient = home / "Quillora" / "Charts" / "00" / "01" / "23" / "45";
    std::filesystem::create_directories(patient / "紹介状");
    for (const char* name :
         {"HP0012_12345_0_2024_3_7.pdf", "HP0012_12345_1_2024_5_21.pdf", "HP0012_12345_2_2025_1_15.pdf"})
        std::ofstream(patient / name) << std::string(48 * 1024, 'x');
    TView window;
    window.SetFolder(QString::fromStdString(patient.string()));
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.ShellListView1->ItemNames().size() == 4; }, 5000));
    QTest::qWait(300);
    const char* dir = std::getenv("QUILLORA_SCREENSHOT_DIR");
    EXPECT_TRUE(window.grab().save(QString::fromLocal8Bit(dir ? dir : ".") + "/chart-list.png"));
}

} // namespace
