#include "app/journal/JournalFile.h"

#include "app/journal/JournalFormat.h"
#include "platform/UserDirs.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace quillora::journal {
namespace {

// Far beyond any real arrangement; a larger file is not read into memory.
constexpr qint64 kMaxJournalBytes = 16 * 1024 * 1024;

JournalReading unreadable(const std::filesystem::path& file, const QString& error)
{
    JournalReading reading;
    reading.outcome = JournalReading::Outcome::Unreadable;
    reading.error = error;
    const auto aside =
        setAsidePath(file, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    std::error_code ec;
    std::filesystem::rename(file, aside, ec);
    if (!ec)
        reading.setAsideTo = QString::fromStdString(aside.string());
    return reading;
}

} // namespace

std::filesystem::path defaultJournalPath() { return platform::StateHome() / "quillora" / "work.json"; }

std::filesystem::path setAsidePath(const std::filesystem::path& file, const QString& stamp)
{
    const std::string base = file.stem().string() + ".unreadable-" + stamp.toStdString();
    std::filesystem::path candidate = file.parent_path() / (base + file.extension().string());
    for (int n = 2; std::filesystem::exists(candidate); ++n)
        candidate = file.parent_path() / (base + "-" + std::to_string(n) + file.extension().string());
    return candidate;
}

JournalReading readJournal(const std::filesystem::path& file)
{
    QFile in(QString::fromStdString(file.string()));
    if (!in.exists())
        return {};
    if (in.size() > kMaxJournalBytes)
        return unreadable(file, QStringLiteral("file too large"));
    if (!in.open(QIODevice::ReadOnly))
        return unreadable(file, in.errorString());
    QString error;
    std::optional<WorkArrangement> work = fromJournalJson(in.readAll(), error);
    in.close();
    if (!work)
        return unreadable(file, error);
    JournalReading reading;
    reading.outcome = JournalReading::Outcome::Found;
    reading.work = std::move(*work);
    return reading;
}

PresentPages keepExistingPages(const WorkArrangement& work)
{
    PresentPages result;
    result.work = work;
    result.work.pages.clear();
    for (const JournalPage& page : work.pages) {
        if (QFileInfo(page.file).isFile())
            result.work.pages.push_back(page);
        else
            result.missing << QFileInfo(page.file).fileName();
    }
    return result;
}

} // namespace quillora::journal
