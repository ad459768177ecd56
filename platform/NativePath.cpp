#include "platform/NativePath.h"

namespace quillora::platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // a byte b that is not UTF-8 becomes U+DC00 + b

// Length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none.
std::size_t ValidSequence(std::string_view bytes, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead == 0xE0) {
        length = 3;
        low = 0xA0;
    } else if (lead == 0xED) {
        length = 3;
        high = 0x9F;
    } // no encoded surrogates
    else if (lead >= 0xE1 && lead <= 0xEF)
        length = 3;
    else if (lead == 0xF0) {
        length = 4;
        low = 0x90;
    } else if (lead >= 0xF1 && lead <= 0xF3)
        length = 4;
    else if (lead == 0xF4) {
        length = 4;
        high = 0x8F;
    } else
        return 0;
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    return length;
}

// The code point of a valid sequence of `length` bytes.
char32_t Decode(std::string_view bytes, std::size_t at, std::size_t length)
{
    static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(bytes[at]) & kLeadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
    return code;
}

void AppendUtf16(std::u16string& text, char32_t code)
{
    if (code < 0x10000) {
        text += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (code >> 10));
    text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

void AppendUtf8(std::string& bytes, char32_t code)
{
    const auto put = [&](unsigned value) { bytes += static_cast<char>(value); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsEscapedByte(char16_t unit) { return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF; }

} // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::u16string Utf16FromNativeBytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        if (const std::size_t length = ValidSequence(bytes, at)) {
            AppendUtf16(text, Decode(bytes, at, length));
            at += length;
        } else {
            text += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at]));
            ++at;
        }
    }
    return text;
}

std::string NativeBytesFromUtf16(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(bytes, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsEscapedByte(unit)) {
            bytes += static_cast<char>(unit - kEscapeBase);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            bytes += '?';
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::filesystem::path PathFromUtf16(std::u16string_view text)
{
#ifdef _WIN32
    return std::filesystem::path(std::wstring(text.begin(), text.end()));
#else
    return std::filesystem::path(NativeBytesFromUtf16(text));
#endif
}

std::filesystem::path ResolvedFolder(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::path result = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    if (ec)
        result = std::filesystem::absolute(path, ec).lexically_normal();
    // "a/b/" and "a/b" name the same folder.
    if (!result.has_filename() && result.has_parent_path() && result != result.root_path())
        result = result.parent_path();
    return result;
}

bool IsSameOrBelow(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    auto p = path.begin();
    for (auto f = folder.begin(); f != folder.end(); ++f, ++p)
        if (p == path.end() || *f != *p)
            return false;
    return true;
}

} // namespace quillora::platform
