// The scanner commands against SANE's `test` backend: choosing a source enables scanning, and
// a scan is written in the format of the chosen save-dialog entry.
#include "MainFormFixture.h"

#include "imaging/ScannerSource.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <sane/sane.h>

namespace quillora::test {
namespace {

class ChooseFirstSource : public imaging::ScannerSourceChooser {
public:
    std::optional<std::string> answer = std::string("test:0");
    std::optional<std::string> chooseSource(const std::vector<imaging::ScannerSource>&,
                                            const std::string&) override
    {
        return answer;
    }
};

class ScanTest : public MainFormTest {
protected:
    // SANE reads its configuration folder once per process, so the suite shares one.
    static void SetUpTestSuite()
    {
        static QTemporaryDir config;
        ASSERT_TRUE(config.isValid());
        writeText(config.filePath(QStringLiteral("dll.conf")), "test\n");
        writeText(config.filePath(QStringLiteral("test.conf")),
                  "resolution 25\ntest-picture \"Solid black\"\n");
        setenv("SANE_CONFIG_DIR", QFile::encodeName(config.path()).constData(), 1);
        // Keeps the backend mapped after sane_exit, so that the leak checker can still name
        // the library a buffer of its reader thread belongs to.
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&sane_init), &info) && info.dli_fname) {
            const auto backend =
                std::filesystem::path(info.dli_fname).parent_path() / "sane" / "libsane-test.so.1";
            dlopen(backend.c_str(), RTLD_NOW | RTLD_NODELETE);
        }
    }

    static void writeText(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    ChooseFirstSource chooser;
};

TEST_F(ScanTest, ScanSavedWithTheBmpEntryIsWrittenAsBmpUnderItsNewExtension)
{
    form->setScannerSourceChooser(&chooser);
    EXPECT_FALSE(form->TwainReadMenu->isEnabled());
    form->TwainSourceMenu->trigger();
    ASSERT_TRUE(form->TwainReadMenu->isEnabled());
    prompts.scanSaveFile =
        ui::SaveFileChoice{QDir::toNativeSeparators(scanner.filePath(QStringLiteral("page1.jpg"))), 2};
    form->TwainReadMenu->trigger();
    EXPECT_TRUE(form->StatusText(1).isEmpty());
    const QString written = scanner.filePath(QStringLiteral("page1.bmp"));
    ASSERT_TRUE(QFileInfo::exists(written));
    EXPECT_FALSE(QFileInfo::exists(scanner.filePath(QStringLiteral("page1.jpg"))));
    QImageReader reader(written);
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    EXPECT_TRUE(form->PageList.empty()); // a scan only puts a file into the folder

    chooser.answer = std::nullopt;
    form->TwainSourceMenu->trigger();
    EXPECT_FALSE(form->TwainReadMenu->isEnabled());
}

} // namespace
} // namespace quillora::test
