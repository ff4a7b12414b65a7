#pragma once

// The byte encodings of save titles. Every encoder turns the line-break marker "^" into a line feed
// (U+000A or the byte 0x0A); every decoder turns U+000A back into "^". Texts are UTF-16 field texts.

#include <string>
#include <string_view>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace injector {

// UTF-16BE, two bytes per UTF-16 unit, high byte first. An empty text gives no bytes.
platform::Bytes Asc2Uni(std::u16string_view text);

// From UTF-16BE: one character per byte pair; a final single byte (odd input) is ignored. U+000A
// becomes "^" and every U+0000 is removed.
std::u16string Uni2Asc(platform::ByteView bytes);

// The two bytes of every pair swapped (UTF-16BE <-> UTF-16LE); an odd input first gets a zero byte.
platform::Bytes reverseUni(platform::ByteView bytes);

// Shift-JIS (code page 932) in whole byte pairs: an odd number of encoded bytes is completed with a
// zero byte, so "abc" gives 61 62 63 00 and "ab" gives 61 62. A character the code page lacks is an
// error naming its position.
[[nodiscard]] platform::Result<platform::Bytes> JIS2Uni(std::u16string_view text);

// From Shift-JIS, with one zero byte appended first, so the text ends with U+0000 (zero bytes inside
// decode to U+0000 as well). A byte that is not valid code page 932 decodes as U+FFFD.
std::u16string JIS2ASC(platform::ByteView bytes);

// The body the title-file writers put after FE FF 00: the text trimmed of spaces at both ends, each
// character as one 8-bit byte, separated by zero bytes (c0 00 c1 00 ... c(m-1)), followed by two zero
// bytes per space trimmed; any "^" byte becomes 0x0A. Preceded by FE FF 00 the whole reads as
// UTF-16BE with a byte-order mark. A text of spaces only gives its 2n zero bytes alone.
platform::Bytes Asc2UniShift(std::u16string_view text);

} // namespace injector
