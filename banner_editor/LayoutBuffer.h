#pragma once

// The banner layout held as one byte buffer. Nothing is parsed into a tree: the few structures the
// editor changes (the header's size field, the text panes, the material colours) are found by exact
// byte search and every other byte passes through unchanged.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "banner_editor/LayoutFile.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace banner_editor {

using platform::Bytes;
using platform::ByteView;

// An ASCII name or marker of the layout as the bytes the file holds.
inline ByteView nameBytes(std::string_view name)
{
    return {reinterpret_cast<const std::uint8_t*>(name.data()), name.size()};
}

// The field text of the pane with exactly this name ("^" for each line feed); empty when the pane is
// not found or its section is malformed (a size running past the buffer, an odd text length, a text
// that does not fit its section). The text starts at the offset the section stores (0x58) when that
// lies between 0x74 and the section's end, else it is counted back from the end of the section. A
// stored text length that runs past the end of the section (as other layout tools store a larger
// buffer) gives the text up to its first 00 00 terminator inside the section; without one the pane
// reads empty.
std::u16string Get_Txt1_Text(ByteView buffer, std::string_view paneName);

// What Set_Txt1_Text did.
enum class PaneWrite {
    Written,      // the pane holds the new text
    EmptyText,    // an empty text changes nothing: a pane's text cannot be emptied
    NotFound,     // no pane has that name
    Damaged,      // the pane's sizes do not fit the buffer or its own fields; it was left as it is
    Unterminated, // its text runs past the end of its section without a terminator; left as it is
    TooLong,      // the text is too long for the 16-bit length fields
};

// Replaces the text of the last pane whose name begins with paneName (a name ending in "_NONE" addresses
// exactly the name without that suffix). That section, and any byte-for-byte copy of it elsewhere in the
// buffer, is rewritten: its head up to the text is kept, the text is written as UTF-16BE with a 00 00
// terminator and 00 00 padding to a multiple of 4, both length fields (0x4C, 0x4E) receive the text's
// byte count with terminator, and the section size is updated. A text counted back from the end because
// its stored offset (0x58) pointed past the section gets that offset set to where the text now starts.
// A text read up to its terminator because its stored length ran past the section is replaced the same
// way. An empty text, a missing pane, a malformed or unterminated section or a text too long for the
// 16-bit length fields leave the buffer unchanged, and the result says which. The header's size field
// is not updated (see Set_File_Len).
PaneWrite Set_Txt1_Text(Bytes& buffer, std::string_view paneName, std::u16string_view text);

// The names of the text panes in file order: the ASCII of the 20 bytes from each txt1 section's name
// field on (0x0C to 0x1F), up to the first 00 byte; sections too short to hold a name, and empty names,
// are passed over.
std::vector<std::string> textPaneNames(ByteView buffer);

// Field text <-> UTF-16 big-endian bytes, "^" <-> U+000A; decoding drops U+0000.
Bytes Text_To_Uni(std::u16string_view text);
std::u16string Uni_To_Text(ByteView bytes);

// Writes the buffer's length into the header's size field (bytes 8-11, big-endian).
void Set_File_Len(Bytes& buffer);

// The red, green and blue of a material's two colours.
struct MaterialColors
{
    std::uint8_t r1 = 0, g1 = 0, b1 = 0;
    std::uint8_t r2 = 0, g2 = 0, b2 = 0;
    bool operator==(const MaterialColors&) const = default;
};

// The colours of the material with this name, or nothing (the "NF" marker) when it is not found. The
// name is searched as its 20-byte 00-padded field inside the materials section, at entry starts only
// (a pane or group of the same name is not a material); a name longer than 20 characters, or an entry
// cut off before the end of colour 2, is not found. A buffer without a materials section is searched
// whole.
std::optional<MaterialColors> readMaterialColors(ByteView buffer, std::string_view materialName);

// Sets colour 1 to (r1, g1, b1) with alpha 0 and colour 2 to (r2, g2, b2) keeping its alpha; a missing
// material leaves the buffer unchanged. The buffer's length never changes.
void Set_Mat_Colors(Bytes& buffer, std::string_view materialName, const MaterialColors& colors);

} // namespace banner_editor
