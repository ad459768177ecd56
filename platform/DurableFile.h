#pragma once
// The durable file primitives every writer of the program builds on: create, write all bytes,
// flush them to the device, close reporting delayed errors, publish by rename with or without
// replacing, sync a folder, remove; and reading a regular file safely. File-system errors come back as
// std::error_code that compares with std::errc on every platform (errno values; Windows maps the common
// ones); nothing here throws for them. DurableFile.cpp holds the POSIX side, DurableFileWin32.cpp the Windows
// one.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace quillora::platform {

// An open file (descriptor or Windows handle), closed by the destructor. Close() closes early
// and reports what the system has to say then: a delayed write error can surface only there.
class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle() { Close(); }
    FileHandle(FileHandle&& other) noexcept : native_(std::exchange(other.native_, kClosed)) { }
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            native_ = std::exchange(other.native_, kClosed);
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return native_ != kClosed; }
    // Reads up to `size` bytes into `buffer`, retrying interrupted reads; `got` is 0 at the end
    // of the file.
    std::error_code ReadSome(char* buffer, std::size_t size, std::size_t& got);
    // Writes every byte, retrying interrupted and short writes; a write that makes no
    // progress is reported as a full device.
    std::error_code WriteAll(std::string_view bytes);
    // Pushes what was written to the device (fsync / FlushFileBuffers).
    std::error_code FlushToDevice();
    // Drops the cached pages of a flushed file, so that reading it back sees what the device
    // holds. A hint; nothing on Windows.
    void DropCachedPages();
    std::error_code Close();

private:
    friend struct FileHandleAccess;
    static constexpr std::intptr_t kClosed = -1; // also INVALID_HANDLE_VALUE
    std::intptr_t native_ = kClosed;
};

struct OpenedFile {
    FileHandle file; // open when error is empty
    std::error_code error;
};

struct NewFileOptions {
    bool hidden = false;    // Windows: created with the hidden attribute (POSIX: the name decides)
    bool ownerOnly = false; // POSIX: readable and writable by the owner only (else 0666 & umask)
};

// Creates `file` for writing; fails with errc::file_exists when any entry of that name exists.
OpenedFile CreateNewFile(const std::filesystem::path& file, NewFileOptions options = {});

// Creates `file` for writing, or empties the existing one.
OpenedFile CreateOrTruncateFile(const std::filesystem::path& file);

// Opens an existing file for appending at its end; a missing file is an error, never created.
OpenedFile OpenForAppend(const std::filesystem::path& file);

// Opens an existing regular file for reading. Anything else in its place (a folder, a FIFO, a
// device, even one put there after the caller looked) is refused with an error, without
// blocking (errc::invalid_argument; a folder on Windows gives errc::is_a_directory). On Windows others may
// still rename or delete the file while it is read, so a reader never stands in the way of the scanner
// software or of clearing a folder.
OpenedFile OpenForReading(const std::filesystem::path& file);

// Puts the finished file `from` under the name `to` (same folder or file system). With
// `replaceExisting` an existing `to` is replaced atomically. Without it an existing `to` is
// never replaced, not even one that appears meanwhile: errc::file_exists then. Where the
// file system can neither rename without replacing nor hard-link (POSIX: renameat2
// RENAME_NOREPLACE, else link + unlink) the publish is refused with errc::not_supported,
// because any other way could replace a file or show a partial one under the name. On Windows
// the rename is written through and the published file loses the hidden attribute.
std::error_code PublishFile(const std::filesystem::path& from, const std::filesystem::path& to,
                            bool replaceExisting);

// Makes renames and creations in `folder` durable; best effort (nothing on Windows, where the
// rename is written through).
void SyncFolder(const std::filesystem::path& folder);

// Removes the file `file` (on Windows a read-only one too). A missing file is
// errc::no_such_file_or_directory.
std::error_code RemoveFile(const std::filesystem::path& file);

// Whether a folder entry is hidden from listings: a dot-file on POSIX, a file with the hidden
// or system attribute on Windows.
bool IsHiddenFile(const std::filesystem::path& file);

} // namespace quillora::platform
