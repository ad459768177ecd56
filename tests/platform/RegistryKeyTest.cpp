#include "platform/RegistryKey.h"

#include "platform/ScopedConfigHome.h"

#include <array>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillora::platform {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kKey = "\\Software\\Travex\\QuilloraShare";

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, std::string_view content)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::vector<std::string> folderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class RegistryKeyTest : public ::testing::Test {
protected:
    test::ScopedConfigHome config;
    fs::path file() const { return config.path() / "Travex" / "QuilloraShare.reg"; }
};

TEST_F(RegistryKeyTest, KeyIsAFileInTheConfigurationFolder)
{
    EXPECT_EQ(RegistryKey::BackingFile(kKey), file());
    EXPECT_EQ(RegistryKey::BackingFile("Software\\A\\B\\C"), config.path() / "A" / "B" / "C.reg");
    EXPECT_TRUE(RegistryKey::BackingFile("\\Software\\..").empty());
    EXPECT_TRUE(RegistryKey::BackingFile("\\Software").empty());
}

TEST_F(RegistryKeyTest, OpenWithoutCreateNeedsAnExistingKey)
{
    EXPECT_FALSE(RegistryKey::Exists(kKey));
    EXPECT_EQ(RegistryKey::Open(kKey, false), nullptr);
    EXPECT_FALSE(fs::exists(file()));

    ASSERT_NE(RegistryKey::Open(kKey, true), nullptr);
    EXPECT_TRUE(RegistryKey::Exists(kKey));
    EXPECT_EQ(readFile(file()),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare]\r\n\r\n");
    EXPECT_NE(RegistryKey::Open(kKey, false), nullptr);
}

TEST_F(RegistryKeyTest, WritesTypedValuesInOrderAsCp932WithCrLf)
{
    {
        auto key = RegistryKey::Open(kKey, true);
        ASSERT_NE(key, nullptr);
        key->WriteDword("Quality", 80);
        key->WriteString("Tag1", "\x8C\x9F\x8D\xB8");
        key->WriteString("Target", "C:\\a\"b\x95\x5C");
        const std::array<std::uint8_t, 8> bytes{0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0x53, 0x40};
        key->WriteBinary("PanelDensity", bytes);
        key->WriteDword("Quality", 0xFFFFFFFF); // keeps its place
        EXPECT_TRUE(key->Flush());
    }
    EXPECT_EQ(readFile(file()), "REGEDIT4\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare]\r\n"
                                "\"Quality\"=dword:ffffffff\r\n"
                                "\"Tag1\"=\"\x8C\x9F\x8D\xB8\"\r\n"
                                "\"Target\"=\"C:\\\\a\\\"b\x95\x5C\"\r\n"
                                "\"PanelDensity\"=hex:9a,99,99,99,99,99,53,40\r\n"
                                "\r\n");
    EXPECT_EQ(folderEntries(file().parent_path()), std::vector<std::string>{"QuilloraShare.reg"});

    auto key = RegistryKey::Open(kKey, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Read("quality"), (RegValue{RegType::Dword, {0xff, 0xff, 0xff, 0xff}}));
    EXPECT_EQ(key->Read("Target"), (RegValue{RegType::Sz, {'C', ':', '\\', 'a', '"', 'b', 0x95, 0x5C, 0}}));
    EXPECT_EQ(key->Read("PanelDensity")->data.size(), 8u);
    EXPECT_FALSE(key->Read("Missing"));
}

TEST_F(RegistryKeyTest, TextThatTheQuotedFormCannotHoldRoundTripsAsHexBytes)
{
    const std::vector<std::string> texts = {std::string("two\r\nlines"), std::string("a\0b", 3), "\x85\x5C",
                                            ""};
    {
        auto key = RegistryKey::Open(kKey, true);
        for (std::size_t i = 0; i < texts.size(); ++i)
            key->WriteString("v" + std::to_string(i), texts[i]);
    }
    auto key = RegistryKey::Open(kKey, false);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::vector<std::uint8_t> expected(texts[i].begin(), texts[i].end());
        expected.push_back(0);
        EXPECT_EQ(key->Read("v" + std::to_string(i)), (RegValue{RegType::Sz, expected})) << i;
    }
    EXPECT_NE(readFile(file()).find("\"v0\"=hex(1):74,77,6f,0d,0a"), std::string::npos);
    EXPECT_NE(readFile(file()).find("\"v3\"=\"\""), std::string::npos);
}

TEST_F(RegistryKeyTest, UnparsableFileIsAKeyWithoutValues)
{
    for (const std::string& content : {std::string("\x00\xFF\x13garbage\x81", 11), std::string(),
                                       std::string("\"Quality\"=dword:00000050\r\n")}) {
        writeFile(file(), content);
        EXPECT_TRUE(RegistryKey::Exists(kKey));
        auto key = RegistryKey::Open(kKey, false);
        ASSERT_NE(key, nullptr);
        EXPECT_FALSE(key->Read("Quality"));
    }
}

TEST_F(RegistryKeyTest, ReadWholeTellsWhetherAnythingWasSkipped)
{
    const std::string header = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Travex\\QuilloraShare]\r\n";
    for (const auto& [content, whole] :
         {std::pair{header + "\"A\"=\"a\"\r\n", true}, std::pair{header + "\"A\"=\"a\r\n", false},
          std::pair{std::string("garbage"), false}}) {
        writeFile(file(), content);
        EXPECT_EQ(RegistryKey::Open(kKey, false)->ReadWhole(), whole) << content;
    }
}

TEST_F(RegistryKeyTest, KeepAsideMovesTheKeyToADatedNameThatNeverReplacesAnother)
{
    writeFile(file(), "first");
    const auto aside = RegistryKey::KeepAside(kKey, "20261210-093000");
    ASSERT_TRUE(aside);
    EXPECT_EQ(*aside, file().parent_path() / "QuilloraShare.20261210-093000.reg");
    EXPECT_FALSE(RegistryKey::Exists(kKey));
    writeFile(file(), "second");
    const auto again = RegistryKey::KeepAside(kKey, "20261210-093000");
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, file().parent_path() / "QuilloraShare.20261210-093000-2.reg");
    EXPECT_EQ(readFile(*aside), "first");
    EXPECT_EQ(readFile(*again), "second");
    EXPECT_FALSE(RegistryKey::KeepAside(kKey, "20261210-093000")); // nothing left to move
}

TEST_F(RegistryKeyTest, KeyThatCannotBeReadDoesNotOpen)
{
    fs::create_directories(file()); // a folder where the file should be
    EXPECT_EQ(RegistryKey::Open(kKey, false), nullptr);
    EXPECT_EQ(RegistryKey::Open(kKey, true), nullptr);
}

TEST_F(RegistryKeyTest, KeyThatCannotBeCreatedWritesNothing)
{
    const auto blocked = config.blockWithRegularFile();
    EXPECT_EQ(RegistryKey::Open(kKey, true), nullptr);
    EXPECT_FALSE(RegistryKey::Exists(kKey));
    EXPECT_FALSE(fs::exists(blocked));
}

TEST_F(RegistryKeyTest, FailedFlushLeavesNoTemporaryFileAndKeepsTheWritesPending)
{
    auto key = RegistryKey::Open(kKey, true);
    key->WriteDword("Quality", 1);
    // A non-empty folder in place of the key file: the rename cannot go over it.
    fs::remove(file());
    fs::create_directories(file() / "inside");
    EXPECT_FALSE(key->Flush());
    EXPECT_TRUE(key->FlushError());
    EXPECT_TRUE(fs::is_directory(file() / "inside"));
    EXPECT_EQ(folderEntries(file().parent_path()), std::vector<std::string>{"QuilloraShare.reg"});

    fs::remove_all(file());
    EXPECT_TRUE(key->Flush());
    EXPECT_EQ(RegistryKey::Open(kKey, false)->Read("Quality"), (RegValue{RegType::Dword, {1, 0, 0, 0}}));
}

// A file-size limit makes the write stop part way, as a full disk does.
TEST_F(RegistryKeyTest, WriteThatFailsPartWayLeavesTheOldFileWhole)
{
    {
        auto key = RegistryKey::Open(kKey, true);
        key->WriteDword("Quality", 80);
        ASSERT_TRUE(key->Flush());
    }
    const std::string before = readFile(file());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() + 16, before.size() + 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto key = RegistryKey::Open(kKey, false);
        key->WriteString("Big", std::string(4096, 'x'));
        ::_exit(key->Flush() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0); // the flush reported the failure
    EXPECT_EQ(readFile(file()), before);
    EXPECT_EQ(folderEntries(file().parent_path()), std::vector<std::string>{"QuilloraShare.reg"});
}

} // namespace
} // namespace quillora::platform
