#pragma once
// Code page 932 (Shift-JIS as Windows uses it) where the outside world counts or stores bytes.
// Text inside the program is UTF-8; these helpers convert at the edges.
//
// Characters that code page 932 cannot hold:
// - encoding: every UTF-8 character without a CP932 form (for example "€" or "😀"), and every
//   byte that is not valid UTF-8, becomes one '?' (0x3F); `lossy` reports that this happened.
// - decoding: every byte that does not start a valid CP932 character becomes U+FFFD; a lead
//   byte followed by a valid trail byte is replaced as a whole, so the trail byte is never read
//   as a character of its own (0x5C after a lead byte never turns into a backslash).
// Both directions therefore always produce output and never throw for bad input.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillora::platform {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool isCp932LeadByte(unsigned char byte);

// UTF-8 -> CP932 bytes. Sets *lossy (when given) to whether anything was replaced by '?'.
std::string toCp932(std::string_view utf8, bool* lossy = nullptr);

// CP932 bytes -> UTF-16 code units, with the same replacement rule as fromCp932.
std::u16string cp932ToUtf16(std::string_view cp932);

// CP932 bytes -> UTF-8. Sets *lossy (when given) to whether anything was replaced by U+FFFD.
std::string fromCp932(std::string_view cp932, bool* lossy = nullptr);

// Length in bytes of the CP932 form of a UTF-8 text (as toCp932 would produce it).
std::size_t cp932Length(std::string_view utf8);

// The characters of a UTF-8 text that do not come back unchanged from CP932 (encode, then
// decode), each once, in the order of first appearance: characters CP932 lacks ("é", "€"),
// characters it holds only as another one ("¥" is stored as 0x5C and reads back as a
// backslash), and bytes that are not UTF-8. Empty when the whole text survives the round trip.
std::string cp932LostCharacters(std::string_view utf8);

// True when the text survives a CP932 round trip unchanged.
bool survivesCp932(std::string_view utf8);

// The CP932 byte count of a text that survives the round trip; nothing for one that does not
// (a character CP932 lacks has no byte count).
std::optional<std::size_t> cp932ByteCount(std::string_view utf8);

// The longest prefix of CP932 bytes that is at most maxBytes long and does not end in the
// middle of a double-byte character (the cut goes before such a character).
std::string_view cutCp932Bytes(std::string_view cp932, std::size_t maxBytes);

// The longest prefix of a UTF-8 text whose CP932 form is at most maxBytes long. Never splits
// a character.
std::string cutToCp932Length(std::string_view utf8, std::size_t maxBytes);

} // namespace quillora::platform
