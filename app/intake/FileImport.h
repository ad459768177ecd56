#pragma once
// The file import: copies picked image files whole into the scanner folder, creating or
// replacing the file of the same name there. It adds no page; a scanner-folder intake takes
// the copies in afterwards.
#include <string>
#include <vector>

namespace quillora::intake {

struct ImportOutcome {
    int copied = 0;      // files copied before a failure (all of them on success)
    std::string failure; // the clerk's message naming the file; empty on success
    bool ok() const { return failure.empty(); }
};

// Copies `files` in their order; stops at the first file that cannot be read or written.
// A replaced file is swapped in whole, never left half written.
ImportOutcome ImportFiles(const std::vector<std::string>& files, const std::string& scannerDir);

} // namespace quillora::intake
