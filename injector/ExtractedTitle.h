#pragma once

// Where things lie in an extracted title: path-text helpers, the ticket name, and the title places
// inside the NES and C64 executables.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Bytes.h"

namespace injector {

// The text up to and including its last "\" or "/" ("" when it has none).
std::u16string folderOfPathText(std::u16string_view text);

// The folder of the extracted 00000005.app beside a destination file: its folder + "00000005_app_out\".
std::u16string contentFolderOf(std::u16string_view destinationText);

// A text that begins with "\" with the program folder put in front; any other text unchanged.
std::u16string absoluteForm(std::u16string_view text, const std::filesystem::path& programFolder);

// The four bytes before the first ".rom" in the contents of a title's 00000005.app, or nothing.
std::optional<platform::Bytes> ticketName(platform::ByteView app5);

// The 00000005.app beside a destination file.
std::filesystem::path ticketAppBeside(std::u16string_view destinationText, const std::filesystem::path& programFolder);

// The title region of an NES executable, [start, end).
struct ByteRange
{
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t size() const { return end - start; }
};

// Start of the NES title: one byte before the end of the first lead-in whose region starts at or after
// textureEnd (an earlier lead-in lies inside the texture's pixels), or nothing.
std::optional<std::size_t> findNesTitleStart(platform::ByteView app, std::size_t textureEnd);

// End of the NES title region that starts at start: the first "VirtualIF.c" at or after it, or nothing.
std::optional<std::size_t> findNesTitleEnd(platform::ByteView app, std::size_t start);

// Offset of the C64 anchor "/banner.bin" 00 00, or nothing.
std::optional<std::size_t> findC64Anchor(platform::ByteView app);

} // namespace injector
