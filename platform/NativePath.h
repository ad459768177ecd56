#pragma once
// The one conversion between the program's text and native file names. Inside the program a
// path is UTF-8 text (std::string) or UTF-16 text (QString above this layer); the file system
// takes bytes on POSIX and UTF-16 on Windows.
//
// On POSIX a name is any byte string. Bytes that are not UTF-8 pass through the UTF-8 side
// unchanged, and on the UTF-16 side they become the lone surrogates U+DC80..U+DCFF, which turn
// back into the same bytes; so a page named in another encoding is read, filed and cleared like
// any other. Valid UTF-8 converts exactly as a UTF-8 decoder would.
#include <filesystem>
#include <string>
#include <string_view>

namespace quillora::platform {

// UTF-8 text (native bytes on POSIX) to a path and back.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// Native name bytes to UTF-16 and back, escaping bytes that are not UTF-8 as described above.
// A lone surrogate outside the escape range becomes '?'.
std::u16string Utf16FromNativeBytes(std::string_view bytes);
std::string NativeBytesFromUtf16(std::u16string_view text);

// UTF-16 text to a path: the text itself on Windows, NativeBytesFromUtf16 on POSIX.
std::filesystem::path PathFromUtf16(std::u16string_view text);

// A folder's name as the system resolves it, for comparing folders: absolute, with links and
// "." and ".." resolved as far as the path exists, and without a trailing separator, so that
// two names of one folder give the same path.
std::filesystem::path ResolvedFolder(const std::filesystem::path& path);

// Whether `path` is `folder` itself or lies below it, component by component (pass both
// through ResolvedFolder first).
bool IsSameOrBelow(const std::filesystem::path& path, const std::filesystem::path& folder);

} // namespace quillora::platform
