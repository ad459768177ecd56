// Not a check: pictures of both settings dialogs for the documentation. Run with
//   QUILLORA_SCREENSHOT_DIR=docs test_settings_ui --gtest_also_run_disabled_tests
//     --gtest_filter='*Screenshot*'
// QUILLORA_SCREENSHOT_HOME names the folder that stands for the clerk's home in the pictures.
#include "settings/TRegistory.h"
#include "settings/ui/TPdfOutSet.h"
#include "settings/ui/TReadSet.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class NoMainWindow : public quillora::settings_ui::ReadSetHost {
public:
    void SetSerialNumberText(const QString&) override { }
    void RedrawPages() override { }
};

QString ScreenshotPath(const char* name)
{
    const char* dir = std::getenv("QUILLORA_SCREENSHOT_DIR");
    return QString::fromLocal8Bit(dir ? dir : ".") + "/" + name;
}

TEST(DISABLED_Screenshot, SettingsDialogs)
{
    const char* sampleHome = std::getenv("QUILLORA_SCREENSHOT_HOME");
    const auto home =
        (sampleHome ? std::filesystem::path(sampleHome) : quillora::test::TestHome()) / "Quillora";
    std::filesystem::create_directories(home / "Scanner");
    std::filesystem::create_directories(home / "Charts");
    TRegistory settings;
    settings.ScannerDir = (home / "Scanner").string();
    settings.Target = (home / "Charts").string();
    settings.HPCode = "0012";
    settings.ImSize = 2;

    bool intakeSaved = false, pdfSaved = false;
    TReadSet intake;
    NoMainWindow host;
    quillora::test::WhenModal<TReadSet>([&](TReadSet& d) {
        QTest::qWait(300); // let the folder tree read its folders
        intakeSaved = d.grab().save(ScreenshotPath("settings-intake.png"));
        d.Button2->click();
    });
    intake.Execute(settings, host);

    TPdfOutSet pdf;
    quillora::test::WhenModal<TPdfOutSet>([&](TPdfOutSet& d) {
        QTest::qWait(300);
        pdfSaved = d.grab().save(ScreenshotPath("settings-pdf.png"));
        d.Button1->click();
    });
    pdf.Execute(settings);
    EXPECT_TRUE(intakeSaved);
    EXPECT_TRUE(pdfSaved);
}

} // namespace
