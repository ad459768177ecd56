// The work journal: its file round trip, coalesced writing and removal, unreadable files set
// aside, and pages whose files went away.
#include "app/journal/WorkJournal.h"
#include "app/journal/JournalFile.h"
#include "app/journal/JournalFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace quillora::journal {
namespace {

class WorkJournalTest : public ::testing::Test {
protected:
    std::filesystem::path journalPath() const
    {
        return (dir.path() + QStringLiteral("/state/quillora/work.json")).toStdString();
    }
    QString pageFile(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void touch(const QString& name) const
    {
        QFile file(pageFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    WorkArrangement sample() const
    {
        WorkArrangement work;
        work.scannerFolder = dir.path();
        work.patient = QStringLiteral("12345");
        work.serial = QStringLiteral("0");
        work.pages = {
            {pageFile(QStringLiteral("表紙 1.jpg")), QString(), std::nullopt},
            {pageFile(QStringLiteral("p2.jpg")), QStringLiteral("処方"),
             QStringList{QStringLiteral("一行目"), QString(), QStringLiteral("\"quoted\" \\ line")}},
            {pageFile(QStringLiteral("p3.tif")), QStringLiteral("検査"), QStringList{}}};
        return work;
    }

    QTemporaryDir dir;
};

TEST_F(WorkJournalTest, WrittenArrangementReadsBackUnchanged)
{
    const WorkArrangement work = sample();
    {
        WorkJournal journal(journalPath(), [&] { return work; });
        journal.flush();
    }
    const JournalReading reading = readJournal(journalPath());
    ASSERT_EQ(reading.outcome, JournalReading::Outcome::Found) << reading.error.toStdString();
    EXPECT_EQ(reading.work, work);
    // The folder holds patient numbers: the user's alone.
    EXPECT_EQ(std::filesystem::status(journalPath().parent_path()).permissions(),
              std::filesystem::perms::owner_all);
}

TEST_F(WorkJournalTest, BurstOfChangesIsWrittenOnceAndAnEmptyListRemovesTheJournal)
{
    WorkArrangement work = sample();
    int snapshots = 0;
    WorkJournal journal(
        journalPath(),
        [&] {
            ++snapshots;
            return work;
        },
        20);
    for (int k = 0; k < 5; ++k)
        journal.changed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(journalPath()); }));
    EXPECT_EQ(snapshots, 1);

    work.pages.clear();
    journal.flush();
    EXPECT_FALSE(std::filesystem::exists(journalPath()));
    EXPECT_EQ(readJournal(journalPath()).outcome, JournalReading::Outcome::None);
}

struct BadJournal {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const BadJournal& bad, std::ostream* os) { *os << bad.name; }

class UnreadableJournalTest : public WorkJournalTest, public ::testing::WithParamInterface<BadJournal> { };

TEST_P(UnreadableJournalTest, IsSetAsideUnderADatedNameAndReported)
{
    std::filesystem::create_directories(journalPath().parent_path());
    const QByteArray bytes = std::string_view(GetParam().name) == "truncated"
                                 ? toJournalJson(sample()).left(120)
                                 : GetParam().bytes;
    QFile file(QString::fromStdString(journalPath().string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const JournalReading reading = readJournal(journalPath());
    EXPECT_EQ(reading.outcome, JournalReading::Outcome::Unreadable);
    EXPECT_FALSE(reading.error.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(journalPath()));
    ASSERT_TRUE(reading.setAsideTo.contains(QStringLiteral("work.unreadable-")))
        << reading.setAsideTo.toStdString();
    QFile aside(reading.setAsideTo);
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Journal, UnreadableJournalTest,
    ::testing::Values(
        BadJournal{"truncated", {}}, BadJournal{"garbage", QByteArray("\x00\xff garbage \x81", 12)},
        BadJournal{
            "another_version",
            R"({"format":"quillora-work-journal","version":2,"scannerFolder":"","patient":"","serial":"","pages":[]})"},
        BadJournal{
            "page_file_not_text",
            R"({"format":"quillora-work-journal","version":1,"scannerFolder":"","patient":"","serial":"","pages":[{"file":7,"title":""}]})"},
        BadJournal{
            "note_line_not_text",
            R"({"format":"quillora-work-journal","version":1,"scannerFolder":"","patient":"","serial":"","pages":[{"file":"/a.jpg","title":"","note":[1]}]})"},
        BadJournal{"not_an_object", "[1, 2, 3]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkJournalTest, SetAsideNamesNeverReplaceAnEarlierOne)
{
    const std::filesystem::path file = journalPath();
    std::filesystem::create_directories(file.parent_path());
    const auto first = setAsidePath(file, QStringLiteral("20261210-013000"));
    EXPECT_EQ(first.filename(), "work.unreadable-20261210-013000.json");
    QFile(QString::fromStdString(first.string())).open(QIODevice::WriteOnly);
    EXPECT_EQ(setAsidePath(file, QStringLiteral("20261210-013000")).filename(),
              "work.unreadable-20261210-013000-2.json");
}

TEST_F(WorkJournalTest, PagesWhoseFilesWentAwayAreLeftOutAndNamed)
{
    const WorkArrangement work = sample();
    touch(QStringLiteral("表紙 1.jpg"));
    touch(QStringLiteral("p3.tif"));
    const PresentPages present = keepExistingPages(work);
    ASSERT_EQ(present.work.pages.size(), 2u);
    EXPECT_EQ(present.work.pages[0], work.pages[0]);
    EXPECT_EQ(present.work.pages[1], work.pages[2]);
    EXPECT_EQ(present.missing, QStringList{QStringLiteral("p2.jpg")});
    EXPECT_EQ(present.work.patient, work.patient);
}

} // namespace
} // namespace quillora::journal
