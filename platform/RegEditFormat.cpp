#include "platform/RegEditFormat.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace quillora::platform {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kNewline = "\r\n";

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view trim(std::string_view s)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool consumePrefix(std::string_view& s, std::string_view prefix)
{
    if (s.size() < prefix.size() || !equalsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix))
        return false;
    s.remove_prefix(prefix.size());
    return true;
}

// A quoted text with \\ and \" escapes at the start of s; s moves past the closing quote.
std::optional<std::string> takeQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"'))
            ++i;
        out.push_back(s[i]);
    }
    return std::nullopt; // no closing quote: a cut-off line
}

// Whether a value line holds a hex list ("Name"=hex:..., @=hex(2):...), the only data that
// may be wrapped onto further lines.
bool isHexValueLine(std::string_view line)
{
    if (!line.empty() && line.front() == '@')
        line.remove_prefix(1);
    else if (!takeQuoted(line))
        return false;
    line = trim(line);
    if (line.empty() || line.front() != '=')
        return false;
    line = trim(line.substr(1));
    return consumePrefix(line, "hex");
}

// Lines of the text. A hex list ending in a backslash continues on the next line, as the
// registry editor wraps long lists (also right after "hex:" when the value name is long).
// A last line without a line break is read too (hand-edited files often lack the final
// break); `lastUnterminated` tells the parser to read it as possibly cut off.
std::vector<std::string> logicalLines(std::string_view text, bool& lastUnterminated)
{
    std::vector<std::string> lines;
    bool continuing = false;
    lastUnterminated = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        lastUnterminated = end == text.size();
        const std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (continuing)
            lines.back().append(line);
        else
            lines.emplace_back(line);
        continuing = !line.empty() && line.back() == '\\' && (continuing || isHexValueLine(line));
        if (continuing)
            lines.back().pop_back();
    }
    return lines;
}

std::optional<std::uint32_t> parseHex(std::string_view digits)
{
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view list)
{
    std::vector<std::uint8_t> bytes;
    list = trim(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = trim(list.substr(0, comma));
        const auto byte = item.size() == 2 ? parseHex(item) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
        if (trim(list).empty())
            return std::nullopt; // a trailing comma: the list was cut off
    }
    return bytes;
}

// Data part after '=': a value, or nullopt for a malformed one. `deleted` marks "=-". A value
// that may be cut off must give a dword all eight digits: "dword:0000" cut from
// "dword:00000050" must not read as 0.
std::optional<RegValue> parseData(std::string_view data, bool& deleted, bool maybeCut)
{
    deleted = false;
    if (data == "-") {
        deleted = true;
        return RegValue{};
    }
    if (!data.empty() && data.front() == '"') {
        auto text = takeQuoted(data);
        if (!text || !trim(data).empty())
            return std::nullopt;
        return makeStringValue(RegType::Sz, toCp932(*text));
    }
    if (consumePrefix(data, "dword:")) {
        // Exported files always have eight digits; hand-written ones often fewer.
        const bool digitsFit = maybeCut ? data.size() == 8 : !data.empty() && data.size() <= 8;
        const auto value = digitsFit ? parseHex(data) : std::nullopt;
        if (!value)
            return std::nullopt;
        return makeDwordValue(*value);
    }
    RegType type = RegType::Binary;
    if (consumePrefix(data, "hex(")) {
        const std::size_t close = data.find(')');
        const auto number = close == std::string_view::npos ? std::nullopt : parseHex(data.substr(0, close));
        if (!number)
            return std::nullopt;
        type = static_cast<RegType>(*number);
        data.remove_prefix(close + 1);
        if (data.empty() || data.front() != ':')
            return std::nullopt;
        data.remove_prefix(1);
    } else if (!consumePrefix(data, "hex:")) {
        return std::nullopt;
    }
    auto bytes = parseHexBytes(data);
    if (!bytes)
        return std::nullopt;
    return RegValue{type, std::move(*bytes)};
}

void putValue(std::vector<NamedRegValue>& values, std::string name, std::optional<RegValue> value)
{
    const auto it = findRegValue(values, name);
    if (!value) {
        if (it != values.end())
            values.erase(it);
    } else if (it != values.end()) {
        it->value = std::move(*value);
    } else {
        values.push_back({std::move(name), std::move(*value)});
    }
}

// False when the line is malformed (and skipped).
bool parseValueLine(std::string_view line, std::vector<NamedRegValue>& values, bool maybeCut)
{
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1); // the key's default value has the empty name
    } else {
        auto quoted = takeQuoted(line);
        if (!quoted)
            return false;
        name = std::move(*quoted);
    }
    line = trim(line);
    if (line.empty() || line.front() != '=')
        return false;
    bool deleted = false;
    auto value = parseData(trim(line.substr(1)), deleted, maybeCut);
    if (deleted)
        putValue(values, std::move(name), std::nullopt);
    else if (value)
        putValue(values, std::move(name), std::move(value));
    return deleted || value.has_value();
}

std::string quote(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// The UTF-8 text of a REG_SZ value when the quoted form reproduces its bytes exactly.
std::optional<std::string> quotableText(const RegValue& v)
{
    if (v.type != RegType::Sz || v.data.empty() || v.data.back() != 0)
        return std::nullopt;
    const std::string_view bytes(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1);
    if (bytes.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        return std::nullopt;
    bool lossy = false;
    std::string text = fromCp932(bytes, &lossy);
    if (lossy || toCp932(text) != bytes)
        return std::nullopt;
    return text;
}

std::string hexList(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        out.push_back(kDigits[bytes[i] >> 4]);
        out.push_back(kDigits[bytes[i] & 0x0F]);
    }
    return out;
}

std::string formatData(const RegValue& v)
{
    if (auto text = quotableText(v))
        return quote(*text);
    if (v.type == RegType::Dword && v.data.size() == 4) {
        const std::vector<std::uint8_t> bigEndian(v.data.rbegin(), v.data.rend());
        std::string digits = hexList(bigEndian);
        std::erase(digits, ',');
        return "dword:" + digits;
    }
    if (v.type == RegType::Binary)
        return "hex:" + hexList(v.data);
    char number[16];
    const auto end =
        std::to_chars(number, number + sizeof number, static_cast<std::uint32_t>(v.type), 16).ptr;
    return "hex(" + std::string(number, end) + "):" + hexList(v.data);
}

} // namespace

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::vector<NamedRegValue> parseRegEdit(std::string_view text, std::string_view keyName, bool* whole)
{
    std::vector<NamedRegValue> values;
    if (whole)
        *whole = true;
    bool lastUnterminated = false;
    const auto lines = logicalLines(text, lastUnterminated);
    auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
    if (line == lines.end() || *line != kHeader) {
        if (whole)
            *whole = line == lines.end();
        return values;
    }
    bool inKey = false;
    for (++line; line != lines.end(); ++line) {
        const std::string_view l = *line;
        if (l.empty() || l.front() == ';')
            continue;
        if (l.front() == '[') {
            inKey = l.back() == ']' && equalsIgnoringAsciiCase(l.substr(1, l.size() - 2), keyName);
            continue;
        }
        const bool maybeCut = lastUnterminated && line + 1 == lines.end();
        if (inKey && !parseValueLine(l, values, maybeCut) && whole)
            *whole = false;
    }
    return values;
}

std::string formatRegEdit(std::string_view keyName, const std::vector<NamedRegValue>& values)
{
    std::string out;
    out.append(kHeader).append(kNewline).append(kNewline);
    out.append("[").append(keyName).append("]").append(kNewline);
    for (const auto& v : values) {
        out.append(v.name.empty() ? std::string("@") : quote(v.name));
        out.append("=").append(formatData(v.value)).append(kNewline);
    }
    out.append(kNewline);
    return out;
}

} // namespace quillora::platform
