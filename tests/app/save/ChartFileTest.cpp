#include "app/save/ChartFile.h"

#include "SaveFakes.h"
#include "support/UnprivilegedChild.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace quillora::save;
using namespace quillora::save::test;
namespace fs = std::filesystem;

TEST(PublishChart, WritesTheBytesUnderTheNameAndNothingElse)
{
    TempFolder tmp("publish");
    const auto outcome = PublishChart(tmp.path, "HP_1_0.pdf", "%PDF chart", false);
    ASSERT_TRUE(outcome.ok()) << outcome.detail;
    EXPECT_EQ(ReadFile(tmp.path / "HP_1_0.pdf"), "%PDF chart");
    EXPECT_EQ(FolderEntries(tmp.path), (std::vector<std::string>{"HP_1_0.pdf"}));
}

TEST(PublishChart, NeverReplacesWithoutPermission)
{
    TempFolder tmp("noreplace");
    WriteFile(tmp.path / "HP_1_0.pdf", "old");
    EXPECT_EQ(PublishChart(tmp.path, "HP_1_0.pdf", "new", false).status, PublishStatus::AlreadyExists);
    EXPECT_EQ(ReadFile(tmp.path / "HP_1_0.pdf"), "old");
    EXPECT_EQ(FolderEntries(tmp.path).size(), 1u);

    ASSERT_TRUE(PublishChart(tmp.path, "HP_1_0.pdf", "new", true).ok());
    EXPECT_EQ(ReadFile(tmp.path / "HP_1_0.pdf"), "new");
    EXPECT_EQ(FolderEntries(tmp.path).size(), 1u);
}

TEST(PublishChart, FolderOfTheNameCannotBeReplaced)
{
    TempFolder tmp("dir");
    fs::create_directories(tmp.path / "HP_1_0.pdf" / "inside");
    EXPECT_EQ(PublishChart(tmp.path, "HP_1_0.pdf", "new", true).status, PublishStatus::CannotReplace);
    EXPECT_EQ(FolderEntries(tmp.path), (std::vector<std::string>{"HP_1_0.pdf"}));
}

TEST(PublishChart, FolderBelowAFileCannotTakeTheTemporaryFile)
{
    TempFolder tmp("below");
    WriteFile(tmp.path / "plain", "x");
    EXPECT_EQ(PublishChart(tmp.path / "plain", "HP_1_0.pdf", "new", true).status,
              PublishStatus::CannotCreate);
}

TEST(PublishChart, DamagedWriteIsCaughtByTheReadBack)
{
    TempFolder tmp("verify");
    WriteFile(tmp.path / "HP_1_0.pdf", "old");
    PublishHooks hooks;
    hooks.afterWrite = [](const fs::path& file) { WriteFile(file, "%PDF chorT"); };
    EXPECT_EQ(PublishChart(tmp.path, "HP_1_0.pdf", "%PDF chart", true, hooks).status,
              PublishStatus::VerifyFailed);
    hooks.afterWrite = [](const fs::path& file) { WriteFile(file, "%PDF"); };
    EXPECT_EQ(PublishChart(tmp.path, "HP_1_0.pdf", "%PDF chart", true, hooks).status,
              PublishStatus::VerifyFailed);
    EXPECT_EQ(ReadFile(tmp.path / "HP_1_0.pdf"), "old");
    EXPECT_EQ(FolderEntries(tmp.path).size(), 1u);
}

// A file-size limit makes the write fail part way, as a full disk does.
TEST(PublishChart, FailingWriteLeavesTheOldChartAndNoTemporaryFile)
{
    TempFolder tmp("fsize");
    WriteFile(tmp.path / "HP_1_0.pdf", "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto outcome = PublishChart(tmp.path, "HP_1_0.pdf", std::string(100000, 'x'), true);
        ::_exit(static_cast<int>(outcome.status));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(PublishStatus::WriteFailed));
    EXPECT_EQ(ReadFile(tmp.path / "HP_1_0.pdf"), "old");
    EXPECT_EQ(FolderEntries(tmp.path), (std::vector<std::string>{"HP_1_0.pdf"}));
}

// An archive folder that turned read-only (a share remounted, rights withdrawn) refuses the
// temporary file: nothing is written and the chart already there stays.
TEST(PublishChart, ReadOnlyFolderIsReportedAndLeftAsItWas)
{
    TempFolder tmp("readonly");
    WriteFile(tmp.path / "HP_1_0.pdf", "old");
    fs::permissions(tmp.path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    const int status = quillora::test::ExitStatusOfUnprivilegedChild([&] {
        return PublishChart(tmp.path, "HP_1_0.pdf", "new", true).status == PublishStatus::CannotCreate;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(ReadFile(tmp.path / "HP_1_0.pdf"), "old");
    EXPECT_EQ(FolderEntries(tmp.path), (std::vector<std::string>{"HP_1_0.pdf"}));
}

TEST(PublishChart, OfTwoConcurrentSavesWithoutReplacingExactlyOneWins)
{
    TempFolder tmp("race");
    for (int round = 0; round < 20; ++round) {
        const std::string name = "HP_" + std::to_string(round) + "_0.pdf";
        PublishOutcome first, second;
        std::thread a([&] { first = PublishChart(tmp.path, name, "first", false); });
        std::thread b([&] { second = PublishChart(tmp.path, name, "second", false); });
        a.join();
        b.join();
        EXPECT_NE(first.ok(), second.ok());
        const auto& loser = first.ok() ? second : first;
        EXPECT_EQ(loser.status, PublishStatus::AlreadyExists);
        EXPECT_EQ(ReadFile(tmp.path / name), first.ok() ? "first" : "second");
    }
    EXPECT_EQ(FolderEntries(tmp.path).size(), 20u);
}

// A save killed mid-write leaves its temporary; the next save into the folder removes it once
// it is old enough to belong to no running save, and touches nothing else.
TEST(PublishChart, RemovesStaleTemporariesOfItsOwnPatternOnly)
{
    TempFolder tmp("stale");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const std::vector<std::string> kept{"HP_1_0.pdf", ".~HP_1_0.pdf.fresh123", ".~notes.txt.abcd1234",
                                        ".~HP_1_0.pdf.ABCD1234"};
    for (const auto& name : kept)
        WriteFile(tmp.path / name, "x");
    WriteFile(tmp.path / ".~HP_1_0.pdf.abcd1234", "half a chart");
    for (const auto& name :
         {"HP_1_0.pdf", ".~notes.txt.abcd1234", ".~HP_1_0.pdf.ABCD1234", ".~HP_1_0.pdf.abcd1234"})
        fs::last_write_time(tmp.path / name, old);
    ASSERT_TRUE(PublishChart(tmp.path, "HP_2_0.pdf", "%PDF", false).ok());
    auto expected = kept;
    expected.push_back("HP_2_0.pdf");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(tmp.path), expected);
}
