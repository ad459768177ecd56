#include "app/intake/FileImport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using quillora::intake::ImportFiles;
namespace fs = std::filesystem;

namespace {

class FileImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("import-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "source");
        fs::create_directories(root / "scanner");
    }
    void TearDown() override { fs::remove_all(root); }

    std::string Write(const fs::path& file, const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }
    std::string Read(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root;
};

TEST_F(FileImportTest, CopiesWholeFilesReplacingThoseOfTheSameName)
{
    const auto a = Write(root / "source" / "a.jpg", std::string("new\0bytes", 9));
    const auto b = Write(root / "source" / "b.png", "b");
    Write(root / "scanner" / "a.jpg", "old");
    const auto outcome = ImportFiles({a, b}, (root / "scanner").string());
    EXPECT_TRUE(outcome.ok()) << outcome.failure;
    EXPECT_EQ(outcome.copied, 2);
    EXPECT_EQ(Read(root / "scanner" / "a.jpg"), std::string("new\0bytes", 9));
    EXPECT_EQ(Read(root / "scanner" / "b.png"), "b");
}

TEST_F(FileImportTest, StopsAtTheFirstFailureNamingTheFile)
{
    const auto a = Write(root / "source" / "a.jpg", "a");
    const auto gone = (root / "source" / "gone.jpg").string();
    const auto c = Write(root / "source" / "c.jpg", "c");
    auto outcome = ImportFiles({a, gone, c}, (root / "scanner").string());
    EXPECT_EQ(outcome.copied, 1);
    EXPECT_NE(outcome.failure.find("gone.jpg"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "scanner" / "c.jpg"));

    outcome = ImportFiles({a}, (root / "missing-scanner").string());
    EXPECT_EQ(outcome.copied, 0);
    EXPECT_NE(outcome.failure.find("スキャナフォルダー"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "missing-scanner"));
}

} // namespace
