#pragma once
// The journal file: one UTF-8 JSON object, written whole on every change.
//
//   {
//     "format": "quillora-work-journal",
//     "version": 1,
//     "scannerFolder": "/home/clerk/Quillora/Scanner",
//     "patient": "12345",
//     "serial": "0",
//     "pages": [
//       { "file": "/home/clerk/Quillora/Scanner/p1.jpg", "title": "処方", "note": ["line 1", "line 2"] },
//       { "file": "/home/clerk/Quillora/Scanner/p2.jpg", "title": "", "note": null }
//     ]
//   }
//
// Pages are in page order; "note" is null for a page without an annotation and a list of
// lines otherwise (an empty list is an annotation that was cleared). A file whose "format" or
// "version" differs, or whose members have other types, is not a journal this program reads.
#include "app/journal/WorkArrangement.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillora::journal {

inline constexpr int kJournalVersion = 1;

QByteArray toJournalJson(const WorkArrangement& work);

// The arrangement in `bytes`, or nullopt with `error` set to what is wrong with them.
std::optional<WorkArrangement> fromJournalJson(const QByteArray& bytes, QString& error);

} // namespace quillora::journal
