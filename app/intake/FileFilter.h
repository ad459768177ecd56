#pragma once
// The intake's file filter: "ファイル形式|" followed by the patterns of the file types that are
// taken in, and the case-insensitive matching of file names against its pattern list.
#include <string>
#include <vector>

class TRegistory;

namespace quillora::intake {

struct FileTypes {
    bool jpeg = true;
    bool tiff = true;
    bool bitmap = true;
    bool png = true;
};

FileTypes FileTypesOf(const TRegistory& settings);

// "ファイル形式|*.jpg;*.jpeg;…" for the set types in the order JPEG, TIFF, BMP, PNG; empty when
// no type is set.
std::string BuildFileFilter(const FileTypes& types);
std::string BuildFileFilter(const TRegistory& settings);

// The part of a filter after "|", split at ";". An empty last piece is kept: it matches nothing.
std::vector<std::string> FilterPatterns(const std::string& filter);

// '*' and '?' wildcards; ASCII letters compared without regard to case. An empty pattern
// matches nothing.
bool MatchesPattern(const std::string& name, const std::string& pattern);
bool MatchesAnyPattern(const std::string& name, const std::vector<std::string>& patterns);

} // namespace quillora::intake
