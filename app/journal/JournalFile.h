#pragma once
// Where the work journal lies and how it is read at start-up. A journal that cannot be read is
// moved aside under a dated name, so that it is kept for inspection and never read again.
#include "app/journal/WorkArrangement.h"

#include <QString>
#include <filesystem>

namespace quillora::journal {

// $XDG_STATE_HOME/quillora/work.json (default ~/.local/state/quillora/work.json).
std::filesystem::path defaultJournalPath();

struct JournalReading {
    enum class Outcome { None, Found, Unreadable };
    Outcome outcome = Outcome::None;
    WorkArrangement work; // when Found
    QString error;        // when Unreadable: what is wrong with the file
    QString setAsideTo;   // when Unreadable: the file's new path, empty if it could not be moved
};

// Reads the journal at `file`; an unreadable one is set aside before this returns.
JournalReading readJournal(const std::filesystem::path& file);

// The name an unreadable journal is moved to: "work.unreadable-20261210-013000.json" beside it,
// with "-2", "-3", ... added when that name is taken.
std::filesystem::path setAsidePath(const std::filesystem::path& file, const QString& stamp);

// Splits the pages into those whose files still exist (in order) and the names of the others.
struct PresentPages {
    WorkArrangement work; // the arrangement with the missing pages left out
    QStringList missing;  // file names (without folder) of the pages left out
};
PresentPages keepExistingPages(const WorkArrangement& work);

} // namespace quillora::journal
