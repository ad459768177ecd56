#pragma once
// The work in progress of the main window as the journal keeps it: what the clerk has done to
// the pages of the chart being captured, and the two number fields as typed.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace quillora::journal {

struct JournalPage {
    QString file;                    // full path of the page image
    QString title;                   // bookmark title, possibly empty
    std::optional<QStringList> note; // annotation lines; nullopt when the page has none
    bool operator==(const JournalPage&) const = default;
};

struct WorkArrangement {
    QString scannerFolder;          // the scanner folder the pages were taken in from
    QString patient;                // text of the patient number field
    QString serial;                 // text of the serial number field
    std::vector<JournalPage> pages; // in page order
    bool operator==(const WorkArrangement&) const = default;
};

} // namespace quillora::journal
