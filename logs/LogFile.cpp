#include "logs/LogFile.h"

#include "platform/Cp932.h"
#include "platform/DurableFile.h"

namespace quillora {

LogFileOutcome AppendLinesToFile(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    // Opening for appending never creates the file, which is the point: appending to a file
    // that is not there is an error, not a new file.
    platform::OpenedFile opened = platform::OpenForAppend(path);
    if (opened.error)
        return {LogFileStatus::CannotOpen, opened.error.message()};

    std::string bytes;
    for (const std::string& line : lines) {
        bytes += platform::toCp932(line);
        bytes += "\r\n";
    }
    std::error_code error = opened.file.WriteAll(bytes);
    if (!error)
        error = opened.file.FlushToDevice();
    if (const std::error_code closed = opened.file.Close(); !error)
        error = closed;
    if (error)
        return {LogFileStatus::WriteFailed, error.message()};
    return {};
}

} // namespace quillora
