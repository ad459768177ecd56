#pragma once
// Listing of the plain files of one folder, as the intake and the clearing of the scanner folder
// see it: regular files only (read-only ones included); folders, hidden files (dot-files on
// Linux, hidden or system files on Windows) and other entries are left out.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace quillora::intake {

// Names (without folder) of the plain files of `folder`, sorted by name with ASCII letters
// compared without regard to case (bytes decide between names equal but for case).
// An unreadable folder sets `error` and returns what was listed before the failure.
std::vector<std::string> ListPlainFiles(const std::string& folder, std::error_code& error);

// The same, restricted to names matching at least one pattern (see MatchesAnyPattern).
std::vector<std::string> ListMatchingFiles(const std::string& folder,
                                           const std::vector<std::string>& patterns, std::error_code& error);

// Case-insensitive name order used by the listings.
bool NameLess(const std::string& a, const std::string& b);

// `folder` joined with `name` by the native separator (no doubled separator).
std::string JoinPath(const std::string& folder, const std::string& name);

// The file-name part of a path (after the last '/' or '\').
std::string FileNamePart(const std::string& path);

} // namespace quillora::intake
