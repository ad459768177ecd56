#include "cli/SaveArguments.h"

#include "app/save/ChartName.h"

namespace quillora::cli {
namespace {

bool IsOption(const std::string& word) { return word.rfind("--", 0) == 0; }

// "3=text" -> page 3 and "text".
bool SplitPageText(const std::string& word, int& page, std::string& text)
{
    const auto equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    const auto number = save::ParseInteger(word.substr(0, equals));
    if (!number || *number < 1)
        return false;
    page = *number;
    text = word.substr(equals + 1);
    return true;
}

} // namespace

ParsedSave ParseSaveArguments(const std::vector<std::string>& words)
{
    ParsedSave parsed;
    auto& args = parsed.arguments;
    bool havePatient = false, haveSerial = false;
    const auto fail = [&](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& option = words[i];
        if (option == "--files") {
            args.haveFiles = true;
            while (i + 1 < words.size() && !IsOption(words[i + 1]))
                args.files.push_back(words[++i]);
            continue;
        }
        if (i + 1 >= words.size())
            return fail("missing value after " + option);
        const std::string& value = words[++i];
        if (option == "--patient") {
            args.patient = value;
            havePatient = true;
        } else if (option == "--serial") {
            args.serial = value;
            haveSerial = true;
        } else if (option == "--title" || option == "--note") {
            int page = 0;
            std::string text;
            if (!SplitPageText(value, page, text))
                return fail(option + " needs PAGE=TEXT with a page number from 1: " + value);
            if (option == "--title")
                args.titles[page] = text;
            else
                args.notes[page].push_back(text);
        } else {
            return fail("unknown option: " + option);
        }
    }
    if (!havePatient)
        return fail("save needs --patient");
    if (!haveSerial)
        return fail("save needs --serial");
    if (args.haveFiles && args.files.empty())
        return fail("--files needs at least one file");
    parsed.ok = true;
    return parsed;
}

} // namespace quillora::cli
