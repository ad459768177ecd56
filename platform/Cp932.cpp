#include "platform/Cp932.h"

#include "platform/Iconv.h"

namespace quillora::platform {
namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD"; // U+FFFD

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence starting at s[0], or 0 when it is not valid.
std::size_t utf8SequenceLength(std::string_view s)
{
    if (s.empty())
        return 0;
    const auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t len = 0;
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        len = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF)
        len = 3;
    else if (b0 >= 0xF0 && b0 <= 0xF4)
        len = 4;
    else
        return 0;
    if (s.size() < len)
        return 0;
    for (std::size_t i = 1; i < len; ++i)
        if (!isContinuation(static_cast<unsigned char>(s[i])))
            return 0;
    return len;
}

// Bytes of the UTF-8 character (valid or not) starting at s[0]: a broken sequence counts as
// one character together with the continuation bytes that follow it.
std::size_t utf8CharLength(std::string_view s)
{
    if (const std::size_t len = utf8SequenceLength(s); len != 0)
        return len;
    std::size_t len = 1;
    while (len < s.size() && len < 4 && isContinuation(static_cast<unsigned char>(s[len])))
        ++len;
    return len;
}

bool isCp932TrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes of the CP932 character (valid or not) starting at s[0], as decoding skips them.
std::size_t cp932CharLength(std::string_view s)
{
    if (s.size() >= 2 && isCp932LeadByte(static_cast<unsigned char>(s[0])) &&
        isCp932TrailByte(static_cast<unsigned char>(s[1])))
        return 2;
    return 1;
}

// One converter per direction and thread, reused: opening a converter costs far more than
// converting a short text.
IconvConverter& encoder()
{
    thread_local IconvConverter conv(kCp932, kUtf8);
    conv.reset();
    return conv;
}

IconvConverter& decoder()
{
    thread_local IconvConverter conv(kUtf8, kCp932);
    conv.reset();
    return conv;
}

} // namespace

bool isCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string toCp932(std::string_view utf8, bool* lossy)
{
    IconvConverter& conv = encoder();
    std::string out;
    out.reserve(utf8.size());
    bool replaced = false;
    while (!utf8.empty()) {
        const auto step = conv.convert(utf8, out);
        utf8.remove_prefix(step.consumed);
        if (step.status == IconvConverter::Status::Complete)
            break;
        // Either a character CP932 lacks or a byte that is not UTF-8: one '?' each.
        out.push_back('?');
        replaced = true;
        utf8.remove_prefix(utf8CharLength(utf8));
        conv.reset();
    }
    if (lossy)
        *lossy = replaced;
    return out;
}

std::string fromCp932(std::string_view cp932, bool* lossy)
{
    IconvConverter& conv = decoder();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    bool replaced = false;
    while (!cp932.empty()) {
        const auto step = conv.convert(cp932, out);
        cp932.remove_prefix(step.consumed);
        if (step.status == IconvConverter::Status::Complete)
            break;
        out.append(kReplacementUtf8);
        replaced = true;
        cp932.remove_prefix(cp932CharLength(cp932));
        conv.reset();
    }
    if (lossy)
        *lossy = replaced;
    return out;
}

std::u16string cp932ToUtf16(std::string_view cp932)
{
    // fromCp932 yields valid UTF-8 only, so each sequence is decoded without further checks.
    const std::string utf8 = fromCp932(cp932);
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t len = utf8SequenceLength(std::string_view(utf8).substr(pos));
        const auto b0 = static_cast<unsigned char>(utf8[pos]);
        char32_t cp = len == 1 ? b0 : b0 & (0xFF >> (len + 1));
        for (std::size_t i = 1; i < len; ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        pos += len;
    }
    return out;
}

std::size_t cp932Length(std::string_view utf8) { return toCp932(utf8).size(); }

std::string cp932LostCharacters(std::string_view utf8)
{
    std::string lost;
    while (!utf8.empty()) {
        const std::string_view character = utf8.substr(0, utf8CharLength(utf8));
        utf8.remove_prefix(character.size());
        bool replaced = false;
        const std::string encoded = toCp932(character, &replaced);
        if ((replaced || fromCp932(encoded) != character) && lost.find(character) == std::string::npos)
            lost.append(character);
    }
    return lost;
}

bool survivesCp932(std::string_view utf8)
{
    bool replaced = false;
    const std::string encoded = toCp932(utf8, &replaced);
    return !replaced && fromCp932(encoded) == utf8;
}

std::optional<std::size_t> cp932ByteCount(std::string_view utf8)
{
    bool replaced = false;
    const std::string encoded = toCp932(utf8, &replaced);
    if (replaced || fromCp932(encoded) != utf8)
        return std::nullopt;
    return encoded.size();
}

std::string_view cutCp932Bytes(std::string_view cp932, std::size_t maxBytes)
{
    std::size_t pos = 0;
    while (pos < cp932.size()) {
        const std::size_t len = cp932CharLength(cp932.substr(pos));
        if (pos + len > maxBytes)
            break;
        pos += len;
    }
    return cp932.substr(0, pos);
}

std::string cutToCp932Length(std::string_view utf8, std::size_t maxBytes)
{
    IconvConverter& conv = encoder();
    std::size_t bytes = 0;
    std::size_t pos = 0;
    std::string scratch;
    while (pos < utf8.size()) {
        const std::size_t len = utf8CharLength(utf8.substr(pos));
        scratch.clear();
        const auto step = conv.convert(utf8.substr(pos, len), scratch);
        const std::size_t encoded = step.status == IconvConverter::Status::Complete ? scratch.size() : 1;
        if (step.status != IconvConverter::Status::Complete)
            conv.reset();
        if (bytes + encoded > maxBytes)
            break;
        bytes += encoded;
        pos += len;
    }
    return std::string(utf8.substr(0, pos));
}

} // namespace quillora::platform
