#pragma once
// A registry value as the Windows registry keeps it: a type number and raw bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillora::platform {

// Registry value types; other type numbers are kept as they are.
enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,       // text in code page 932 with a terminating zero byte
    ExpandSz = 2, // the same, with %VARIABLES% to expand
    Binary = 3,
    Dword = 4, // 4 bytes, little-endian
    MultiSz = 7,
};

struct RegValue {
    RegType type = RegType::None;
    std::vector<std::uint8_t> data;

    bool operator==(const RegValue&) const = default;
};

// A REG_DWORD value (little-endian bytes).
inline RegValue makeDwordValue(std::uint32_t value)
{
    RegValue v{RegType::Dword, {}};
    for (int shift = 0; shift < 32; shift += 8)
        v.data.push_back(static_cast<std::uint8_t>(value >> shift));
    return v;
}

// A REG_SZ / REG_EXPAND_SZ value: the code page 932 bytes and a terminating zero byte.
inline RegValue makeStringValue(RegType type, std::string_view cp932Text)
{
    RegValue v{type, {cp932Text.begin(), cp932Text.end()}};
    v.data.push_back(0);
    return v;
}

struct NamedRegValue {
    std::string name; // UTF-8; compared without regard to ASCII case, as the registry does
    RegValue value;
};

} // namespace quillora::platform
