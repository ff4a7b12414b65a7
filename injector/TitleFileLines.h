#pragma once

// The UTF-16BE title files (the Sega banner.cfg.txt, the TG16 TITLE.TXT) as the injection reads and
// writes them: read as 8-bit lines, written as FE FF 00 followed by the shifted body.

#include <optional>
#include <string>
#include <vector>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace injector {

// The file read as 8-bit lines: every zero byte is skipped, each other byte is one character, lines
// end at CR LF (a line end at the very end opens no further line).
std::vector<std::u16string> eightBitLines(platform::ByteView data);

// The 8-bit reading keeps a line only when each of its characters is below U+0100: a wider one would
// come back as two characters. In a UTF-16BE file with byte-order mark, the number (1-based) of the
// first line from first to last (inclusive) that holds a wider character, or nothing.
std::optional<std::size_t> firstWideLine(platform::ByteView data, std::size_t first, std::size_t last);

// The refusal of such a line, naming the destination text and the line.
platform::Error wideLineError(std::u16string_view destination, std::size_t line);

// The whole title file: FE FF 00, then the body.
platform::Bytes titleFile(platform::ByteView body);

} // namespace injector
