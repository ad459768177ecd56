// The durable file primitives: temporaries that never outlive a failure, publishing with and
// without replacing, appending to existing files only, removal.
#include "platform/DurableFile.h"
#include "platform/AtomicFile.h"
#include "platform/TemporaryFile.h"
#include "support/TestEnv.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace quillora::platform;

namespace {

fs::path FreshFolder(const char* name) { return quillora::test::FreshFolder(fs::path("durable") / name); }

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TemporaryFile WrittenTemporary(const fs::path& folder, const std::string& text)
{
    std::error_code error;
    TemporaryFile temporary = TemporaryFile::Create(folder, ".~chart.", error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_FALSE(temporary.WriteFlushAndClose(text));
    return temporary;
}

} // namespace

TEST(TemporaryFile, IsHiddenBesideItsTargetAndNamedByPrefixAndSuffix)
{
    const fs::path folder = FreshFolder("name");
    const TemporaryFile temporary = WrittenTemporary(folder, "x");
    const std::string name = temporary.Path().filename().string();
    EXPECT_EQ(temporary.Path().parent_path(), folder);
    EXPECT_TRUE(name.starts_with(".~chart."));
    EXPECT_EQ(name.size(), std::string(".~chart.").size() + kTemporarySuffixLength);
    EXPECT_TRUE(HasTemporarySuffix(name));
    EXPECT_TRUE(IsHiddenFile(temporary.Path()));
    EXPECT_FALSE(HasTemporarySuffix("chart.pdf.ABCDEFGH"));
}

TEST(TemporaryFile, AFailureBeforePublishingLeavesNoTemporary)
{
    const fs::path folder = FreshFolder("failed");
    {
        std::error_code error;
        TemporaryFile temporary = TemporaryFile::Create(folder, "t.", error);
        ASSERT_FALSE(error);
        temporary.File().Close(); // every later write fails
        EXPECT_TRUE(temporary.WriteFlushAndClose("lost"));
    }
    EXPECT_TRUE(Names(folder).empty());

    std::error_code error;
    TemporaryFile::Create(folder / "missing", "t.", error);
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(Names(folder).empty());
}

TEST(TemporaryFile, PublishingWithoutReplacingRefusesAnExistingNameAndKeepsIt)
{
    const fs::path folder = FreshFolder("noreplace");
    WriteText(folder / "chart.pdf", "old");
    {
        TemporaryFile temporary = WrittenTemporary(folder, "new");
        const std::error_code error = temporary.PublishAs(folder / "chart.pdf", false);
        ASSERT_TRUE(error);
        // A file system without an exclusive rename refuses every publish of this kind.
        if (error != std::errc::not_supported) {
            EXPECT_EQ(error, std::errc::file_exists) << error.message();
        }
    }
    EXPECT_EQ(ReadText(folder / "chart.pdf"), "old");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"chart.pdf"});
}

TEST(TemporaryFile, PublishesUnderTheNewNameWithOrWithoutReplacing)
{
    const fs::path folder = FreshFolder("publish");
    WriteText(folder / "replaced.pdf", "old");
    for (const bool replace : {false, true}) {
        const fs::path target = folder / (replace ? "replaced.pdf" : "new.pdf");
        TemporaryFile temporary = WrittenTemporary(folder, "content");
        ASSERT_FALSE(temporary.PublishAs(target, replace));
        EXPECT_EQ(ReadText(target), "content");
        EXPECT_FALSE(IsHiddenFile(target));
    }
    EXPECT_EQ(Names(folder).size(), 2u);
}

TEST(AtomicFile, ReplacesTheWholeContentOrNothing)
{
    const fs::path folder = FreshFolder("atomic");
    WriteText(folder / "store.reg", "old content that is longer");
    ASSERT_FALSE(ReplaceFileAtomically(folder / "store.reg", "new"));
    EXPECT_EQ(ReadText(folder / "store.reg"), "new");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"store.reg"});

    // A folder under the name cannot be replaced; nothing is left behind.
    fs::create_directory(folder / "blocked");
    EXPECT_TRUE(ReplaceFileAtomically(folder / "blocked", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "blocked"));
    EXPECT_EQ(Names(folder).size(), 2u);
}

TEST(DurableFile, CreatingANewFileNeverOpensAnExistingOne)
{
    const fs::path folder = FreshFolder("create");
    WriteText(folder / "taken", "kept");
    EXPECT_EQ(CreateNewFile(folder / "taken").error, std::errc::file_exists);
    EXPECT_EQ(ReadText(folder / "taken"), "kept");
}

TEST(DurableFile, AppendsAtTheEndOfAnExistingFileOnly)
{
    const fs::path folder = FreshFolder("append");
    WriteText(folder / "save.log", "old\r\n");
    for (const char* line : {"a\r\n", "b\r\n"}) {
        OpenedFile opened = OpenForAppend(folder / "save.log");
        ASSERT_FALSE(opened.error) << opened.error.message();
        EXPECT_FALSE(opened.file.WriteAll(line));
        EXPECT_FALSE(opened.file.FlushToDevice());
        EXPECT_FALSE(opened.file.Close());
    }
    EXPECT_EQ(ReadText(folder / "save.log"), "old\r\na\r\nb\r\n");

    EXPECT_EQ(OpenForAppend(folder / "missing.log").error, std::errc::no_such_file_or_directory);
    EXPECT_FALSE(fs::exists(folder / "missing.log"));
    fs::create_directory(folder / "dir");
    EXPECT_EQ(OpenForAppend(folder / "dir").error, std::errc::is_a_directory);
}

TEST(DurableFile, ReadsRegularFilesOnly)
{
    const fs::path folder = FreshFolder("read");
    WriteText(folder / "scan.jpg", "scanned");
    OpenedFile opened = OpenForReading(folder / "scan.jpg");
    ASSERT_FALSE(opened.error) << opened.error.message();
    char buffer[16] = {};
    std::size_t got = 0;
    EXPECT_FALSE(opened.file.ReadSome(buffer, sizeof buffer, got));
    EXPECT_EQ(std::string(buffer, got), "scanned");
    EXPECT_FALSE(opened.file.ReadSome(buffer, sizeof buffer, got));
    EXPECT_EQ(got, 0u); // the end

    EXPECT_TRUE(OpenForReading(folder).error);
    EXPECT_EQ(OpenForReading(folder / "missing.jpg").error, std::errc::no_such_file_or_directory);
}

TEST(DurableFile, RemovesReadOnlyFilesAndReportsMissingOnes)
{
    const fs::path folder = FreshFolder("remove");
    WriteText(folder / "scan.jpg", "x");
    fs::permissions(folder / "scan.jpg", fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_FALSE(RemoveFile(folder / "scan.jpg"));
    EXPECT_FALSE(fs::exists(folder / "scan.jpg"));
    EXPECT_EQ(RemoveFile(folder / "scan.jpg"), std::errc::no_such_file_or_directory);
}
