#pragma once
// Appending log lines to a text file: code page 932, every line ended by CR LF.
#include <filesystem>
#include <string>
#include <vector>

namespace quillora {

enum class LogFileStatus {
    Appended,   // every line was written and the file closed cleanly
    CannotOpen, // the file does not exist or cannot be opened for writing; nothing written
    WriteFailed // a write (or the final flush) failed; lines written before stay in the file
};

struct LogFileOutcome {
    LogFileStatus status = LogFileStatus::Appended;
    std::string detail; // the system's reason when something failed (UTF-8), else empty
};

// Appends `lines` (UTF-8) to the end of the file at `path`, which must already exist.
// Characters that code page 932 lacks are written as '?'.
LogFileOutcome AppendLinesToFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace quillora
