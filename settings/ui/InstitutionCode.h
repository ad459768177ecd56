#pragma once
// The medical institution code becomes part of every chart file name ("HP" + code + "_..."),
// so it must not carry a folder separator or a character that file names cannot hold on
// either platform the workstation runs on. Header-only and free of Qt. The save flow refuses
// the same characters with its own copy of this test (quillora::save::IsSafeInstitutionCode);
// the two must stay in step.
#include <string_view>

namespace quillora::settings_ui {

// Message shown when the code is refused.
inline constexpr const char* kInstitutionCodeError =
    "医療機関コードエラー：\\ / : * ? \" < > | と制御文字は使えません";

// True when every byte of the UTF-8 code may stand inside a file name. Multi-byte UTF-8
// sequences only contain bytes of 0x80 and above, so a byte-wise test cannot mistake part of
// a Japanese character for a separator.
inline bool IsSafeInstitutionCode(std::string_view code)
{
    for (const char c : code) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

} // namespace quillora::settings_ui
