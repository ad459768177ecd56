#pragma once
// A new file beside the one it will become: written, flushed to the device, closed and only
// then published under the final name. Until it is published it is removed on destruction, so
// a failure on any path leaves no temporary behind.
#include "platform/DurableFile.h"

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace quillora::platform {

// Temporary names end in this many random lower-case ASCII letters and digits.
inline constexpr std::size_t kTemporarySuffixLength = 8;

// Whether `name` ends in a suffix of that form (the length and the characters).
bool HasTemporarySuffix(std::string_view name);

class TemporaryFile {
public:
    // Creates, in `folder`, a new file named `prefix` followed by a random suffix; an existing
    // file is never opened (a taken name is retried). Hidden on Windows.
    static TemporaryFile Create(const std::filesystem::path& folder, const std::filesystem::path& prefix,
                                std::error_code& error, NewFileOptions options = {});

    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&& other) noexcept;

    const std::filesystem::path& Path() const { return path_; }
    FileHandle& File() { return file_; }

    // Writes every byte, flushes them to the device and closes the file.
    std::error_code WriteFlushAndClose(std::string_view bytes);

    // Publishes the closed file under `target` (see PublishFile) and syncs the folder; from
    // then on the file is no longer removed. On failure it stays temporary.
    std::error_code PublishAs(const std::filesystem::path& target, bool replaceExisting);

private:
    void Discard();

    std::filesystem::path path_; // empty once published
    FileHandle file_;
};

} // namespace quillora::platform
