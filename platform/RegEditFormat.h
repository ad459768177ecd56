#pragma once
// The REGEDIT4 text format for the values of one key:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Vendor\Product]
//   "Name"=dword:00000001
//   "Text"="C:\\folder"
//   "Blob"=hex:9a,99,99,99,99,99,53,40
//   "Path"=hex(2):25,54,4d,50,25,00
//
// The text here is UTF-8; the file on disk holds it in code page 932 with CR LF line ends.
// Parsing is tolerant: a file without the REGEDIT4 header yields no values, a malformed line is
// skipped (its value reads as missing), sections of other keys are ignored. Hex lists may be
// wrapped with a trailing backslash; a last line needs no line break.
#include "platform/RegistryValue.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace quillora::platform {

// Values of the section named `keyName` ("HKEY_CURRENT_USER\..."), in file order. A name
// given twice keeps its first position and its last value; "Name"=- removes a value.
// `whole` (when given) tells whether the text was read without skipping anything: false for a
// text without the header or with a malformed value line in the key's section.
std::vector<NamedRegValue> parseRegEdit(std::string_view text, std::string_view keyName,
                                        bool* whole = nullptr);

// The whole file for one key: header, section, one line per value in the given order. Values
// that the quoted form cannot reproduce exactly are written as hex(1): bytes.
std::string formatRegEdit(std::string_view keyName, const std::vector<NamedRegValue>& values);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The value of that name (compared as the registry does), or values.end().
template <class Values> // std::vector<NamedRegValue>, const or not
auto findRegValue(Values& values, std::string_view name)
{
    return std::find_if(values.begin(), values.end(),
                        [&](const NamedRegValue& v) { return equalsIgnoringAsciiCase(v.name, name); });
}

} // namespace quillora::platform
