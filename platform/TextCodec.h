#pragma once

#include <string>
#include <string_view>

#include "Bytes.h"
#include "Result.h"

namespace platform {

// UTF-8 (messages, native paths, command-line arguments) <-> UTF-16 (field texts).
// Invalid UTF-8 bytes decode as U+FFFD; unpaired surrogates encode as U+FFFD.
std::u16string utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(std::u16string_view utf16);

// "8-bit text": each byte is the character of the same code (Latin-1), and back. Characters above
// U+00FF have no byte; they become '?' as a code-page conversion would.
std::u16string textFromLatin1(ByteView bytes);
Bytes latin1FromText(std::u16string_view text);

// Shift-JIS as code page 932. Characters the code page lacks, or bytes that are not valid CP932,
// are an error naming the offending position.
[[nodiscard]] Result<Bytes> encodeShiftJis(std::u16string_view text);
[[nodiscard]] Result<std::u16string> decodeShiftJis(ByteView bytes);

// ASCII-only case folding used for case-insensitive names and keys.
char16_t asciiUpper(char16_t c);
std::u16string asciiUpper(std::u16string_view text);
std::string asciiLower(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Unicode simple case folding of one character (U+00DC "Ü" -> U+00FC "ü"); characters without a
// fold are returned unchanged.
char32_t foldCase(char32_t c);
// Two UTF-8 names equal after simple case folding of every character: how file names are matched.
bool namesEqualIgnoringCase(std::string_view a, std::string_view b);

// Trims spaces (not other white space) at both ends.
std::u16string trimSpaces(std::u16string_view text);

} // namespace platform
