// The converter of Iconv.h on Windows, over the system's code page tables. It knows the two
// character sets the program converts between, "CP932" and "UTF-8", and keeps iconv's rules:
// conversion stops before the first sequence that is not valid input or that the target cannot
// hold (no best-fit replacements), and before a sequence cut off by the end of the input.
#include "platform/Iconv.h"

#include <stdexcept>
#include <string_view>
#include <windows.h>

namespace quillora::platform {
namespace {

struct CodePages {
    UINT to;
    UINT from;
};

UINT codePage(std::string_view name)
{
    if (name == "CP932")
        return 932;
    if (name == "UTF-8")
        return CP_UTF8;
    throw std::runtime_error("no character set converter for " + std::string(name));
}

// Bytes of the character starting at s[0] in code page `page`, as far as its first byte tells.
std::size_t declaredLength(UINT page, unsigned char b0)
{
    if (page == 932)
        return (b0 >= 0x81 && b0 <= 0x9F) || (b0 >= 0xE0 && b0 <= 0xFC) ? 2 : 1;
    if (b0 >= 0xF0)
        return 4;
    if (b0 >= 0xE0)
        return 3;
    if (b0 >= 0xC0)
        return 2;
    return 1;
}

// Whether `rest`, shorter than its first byte declares, is the start of a character the end of
// the input cut off (rather than bytes that can never be a character).
bool cutOff(UINT page, std::string_view rest)
{
    const auto b0 = static_cast<unsigned char>(rest[0]);
    if (page == 932)
        return true; // a lead byte alone
    if (b0 < 0xC2 || b0 > 0xF4)
        return false;
    for (std::size_t i = 1; i < rest.size(); ++i)
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80)
            return false;
    return true;
}

// Bytes that Windows maps to private or control characters but that are no character of code
// page 932 (0x80, 0xA0, 0xFD-0xFF); iconv rejects them, and so does this converter.
bool outsideCp932(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

bool mayHoldOutsideBytes(std::string_view bytes)
{
    for (const char c : bytes)
        if (outsideCp932(static_cast<unsigned char>(c)))
            return true;
    return false;
}

// Converts one whole piece of input; false when any of it is invalid or cannot be held.
bool convertPiece(const CodePages& pages, std::string_view in, std::string& out)
{
    const int inSize = static_cast<int>(in.size());
    const int wideSize = MultiByteToWideChar(pages.from, MB_ERR_INVALID_CHARS, in.data(), inSize, nullptr, 0);
    if (wideSize <= 0)
        return false;
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(pages.from, MB_ERR_INVALID_CHARS, in.data(), inSize, wide.data(), wideSize);

    const bool toUtf8 = pages.to == CP_UTF8;
    const DWORD flags = toUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = toUtf8 ? nullptr : &usedDefault;
    const int outSize =
        WideCharToMultiByte(pages.to, flags, wide.data(), wideSize, nullptr, 0, nullptr, usedDefaultOut);
    if (outSize <= 0 || usedDefault)
        return false;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(outSize));
    WideCharToMultiByte(pages.to, flags, wide.data(), wideSize, out.data() + start, outSize, nullptr,
                        nullptr);
    return true;
}

} // namespace

IconvConverter::IconvConverter(const char* toCode, const char* fromCode)
    : handle_(new CodePages{codePage(toCode), codePage(fromCode)})
{
}

IconvConverter::~IconvConverter() { delete static_cast<CodePages*>(handle_); }

void IconvConverter::reset() { } // neither character set has shift states

IconvConverter::Step IconvConverter::convert(std::string_view in, std::string& out)
{
    const auto& pages = *static_cast<CodePages*>(handle_);
    if (in.empty())
        return {Status::Complete, 0};
    // Whole input at once, unless a byte outside code page 932 may be in it (0x80 and 0xA0 are
    // also trail bytes, so only the character by character pass can tell).
    std::string whole;
    if (convertPiece(pages, in, whole) && !(pages.from == 932 && mayHoldOutsideBytes(in)) &&
        !(pages.to == 932 && mayHoldOutsideBytes(whole))) {
        out += whole;
        return {Status::Complete, in.size()};
    }
    // Something in the input does not convert: go character by character up to it.
    std::size_t consumed = 0;
    while (consumed < in.size()) {
        const std::size_t length = declaredLength(pages.from, static_cast<unsigned char>(in[consumed]));
        if (consumed + length > in.size())
            return {cutOff(pages.from, in.substr(consumed)) ? Status::IncompleteSequence
                                                            : Status::InvalidSequence,
                    consumed};
        const std::string_view piece = in.substr(consumed, length);
        std::string converted;
        if (!convertPiece(pages, piece, converted) ||
            (pages.from == 932 && length == 1 && outsideCp932(static_cast<unsigned char>(piece[0]))) ||
            (pages.to == 932 && converted.size() == 1 &&
             outsideCp932(static_cast<unsigned char>(converted[0]))))
            return {Status::InvalidSequence, consumed};
        out += converted;
        consumed += length;
    }
    return {Status::Complete, consumed};
}

} // namespace quillora::platform
