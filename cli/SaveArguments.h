#pragma once
// The options of "quillora-cli save".
#include <map>
#include <string>
#include <vector>

namespace quillora::cli {

struct SaveArguments {
    std::string patient;
    std::string serial;
    bool haveFiles = false;
    std::vector<std::string> files;
    std::map<int, std::string> titles;             // page number (1 = first page) -> title
    std::map<int, std::vector<std::string>> notes; // page number -> annotation lines
};

struct ParsedSave {
    bool ok = false;
    std::string error;
    SaveArguments arguments;
};

// Parses the words after "save". "--files" takes every following word up to the next option;
// "--title" and "--note" take PAGE=TEXT, and several "--note" for one page add lines.
ParsedSave ParseSaveArguments(const std::vector<std::string>& words);

} // namespace quillora::cli
