#pragma once
// The lines of one log window (the save log or the error log) as plain data: lines in the
// order they were added, and the modified mark that says lines were added since the log
// was last appended to a file.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "logs/LogFile.h"

namespace quillora {

class ChartLog {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }

    // Adds text at the end. Text holding line breaks (CR LF, LF or CR) becomes several
    // lines, so that every stored line is written as exactly one CR LF line. The modified
    // mark is left alone: the caller decides whether the addition counts as unsaved.
    void addLine(std::string_view text);

    // Replaces all lines, for example with the text a user edited in the window.
    void setText(std::string_view text);

    // All lines joined by LF, as a text control shows them.
    std::string text() const;

    // Empties the log and clears the modified mark.
    void clear();

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // Appends every line, first to last, to the existing file at `path` (code page 932,
    // each line ended by CR LF). Clears the modified mark only when every line was written;
    // otherwise the mark stays and the outcome says what failed.
    LogFileOutcome appendTo(const std::filesystem::path& path);

private:
    std::vector<std::string> lines_;
    bool modified_ = false;
};

// Splits text into lines at CR LF, LF or CR. A final line break does not start another
// line; empty text gives no lines.
std::vector<std::string> splitLines(std::string_view text);

} // namespace quillora
