// Scanner access against SANE's `test` backend, configured in a private SANE_CONFIG_DIR.
#include "imaging/ImageError.h"
#include "imaging/TImageIO.h"
#include "imaging/sane/SaneSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sane/sane.h>

using namespace quillora::imaging;

namespace {

class ChooseByName : public ScannerSourceChooser {
public:
    explicit ChooseByName(std::optional<std::string> name) : name_(std::move(name)) { }
    std::optional<std::string> chooseSource(const std::vector<ScannerSource>& sources,
                                            const std::string&) override
    {
        offered = sources;
        return name_;
    }
    std::vector<ScannerSource> offered;

private:
    std::optional<std::string> name_;
};

// SANE unloads the backend at sane_exit; a 64 KB read buffer that the test backend's reader thread
// sometimes leaves behind would then be reported from an unknown module, which no suppression can
// name. Keeping the backend mapped lets the "libsane" suppression recognise it.
void keepTestBackendLoaded()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&sane_init), &info) || !info.dli_fname)
        return;
    const auto backend = std::filesystem::path(info.dli_fname).parent_path() / "sane" / "libsane-test.so.1";
    dlopen(backend.c_str(), RTLD_NOW | RTLD_NODELETE);
}

// SANE reads its configuration folder once per process, so the whole suite shares one.
class SaneBackend : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static QTemporaryDir config;
        ASSERT_TRUE(config.isValid());
        writeConfig(config.filePath("dll.conf"), "test\n");
        // 80 x 100 mm at 50 dpi with a solid black picture.
        // The test options add option types (arrays among them) that real backends have too.
        writeConfig(config.filePath("test.conf"), "number_of_devices 2\nresolution 50\n"
                                                  "test-picture \"Solid black\"\nenable-test-options true\n");
        setenv("SANE_CONFIG_DIR", QFile::encodeName(config.path()).constData(), 1);
        keepTestBackendLoaded();
    }

    static void writeConfig(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QImage acquire(ScanMode mode)
    {
        TImageIO io;
        ChooseByName chooser("test:0");
        io.SetSourceChooser(&chooser);
        EXPECT_TRUE(io.ChooseTwainSource()) << io.ScannerStatus().toStdString();
        io.SetScanOptions({mode, 0});
        EXPECT_TRUE(io.AcquireTwainImage()) << io.ScannerStatus().toStdString();
        return io.CurrentImage();
    }
};

TEST_F(SaneBackend, ListsTheTestDevicesAndRemembersTheChoice)
{
    TImageIO io;
    ChooseByName chooser("test:1");
    io.SetSourceChooser(&chooser);
    ASSERT_TRUE(io.ChooseTwainSource());
    ASSERT_EQ(chooser.offered.size(), 2u);
    EXPECT_EQ(chooser.offered[0].name, "test:0");
    EXPECT_EQ(io.SelectedSource(), "test:1");
}

TEST_F(SaneBackend, CancelledChoiceReturnsFalse)
{
    TImageIO io;
    ChooseByName chooser(std::nullopt);
    io.SetSourceChooser(&chooser);
    EXPECT_FALSE(io.ChooseTwainSource());
    EXPECT_FALSE(io.AcquireTwainImage()) << "nothing chosen, nothing scanned";
}

TEST_F(SaneBackend, AcquiresAColourPage)
{
    const QImage image = acquire(ScanMode::Colour);
    EXPECT_EQ(image.size(), QSize(157, 196));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 0));
}

TEST_F(SaneBackend, AcquiresALineartPageAsABilevelImage)
{
    const QImage image = acquire(ScanMode::Lineart);
    EXPECT_EQ(image.width(), 157);
    EXPECT_EQ(image.height(), 196);
    EXPECT_EQ(image.depth(), 1);
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 0));
}

TEST_F(SaneBackend, AScannerErrorReturnsFalseWithTheStatusText)
{
    TImageIO io;
    io.SetSelectedSource("test:9"); // no such device
    QImage bitmap(3, 3, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    io.AttachBitmap(&bitmap);
    EXPECT_FALSE(io.AcquireTwainImage());
    EXPECT_FALSE(io.ScannerStatus().isEmpty());
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(255, 0, 0)) << "the current image is kept";
}

TEST_F(SaneBackend, AnArrayOptionIsNotSetFromOneNumber)
{
    SaneSession session;
    SaneDevice device(session, "test:0");
    // The option holds six numbers: setting it from one would hand the backend a short buffer.
    EXPECT_THROW(device.setNumberOption("int-constraint-array", 5), ImageError);
    EXPECT_NO_THROW(device.setNumberOption("int-constraint-range", 8)) << "a single number is set";
}

} // namespace
