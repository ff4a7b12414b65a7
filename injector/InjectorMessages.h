#pragma once

// The injector's fixed message texts (prompt, title, icon), spelling as the users know it, and the
// errors made from them.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Messages.h"
#include "platform/Result.h"

namespace injector {

struct MessageText
{
    const char* prompt;
    const char* title; // "" shows the program's name
    platform::MessageIcon icon;
};

namespace msg {

using enum platform::MessageIcon;

inline constexpr MessageText BANNER_BIN_NOT_FOUND{"banner.bin not found!", "Invalid Destination!", None};
inline constexpr MessageText BANNER_TPL_NOT_FOUND{"banner.tpl not found!", "Invalid Source File!", None};
inline constexpr MessageText APP_NOT_FOUND{"00000001.app not found!", "Invalid Destination!", None};
inline constexpr MessageText NOT_A_NES_APP{"The app file you pointed to is NOT a valid Nes app!",
                                           "Error #1:  No tpl in 00000001.app", Critical};
inline constexpr MessageText NO_BANNER_TPL_TARGET{"Cannot File Save banner to inject!", "banner.tpl Not Found!", None};
inline constexpr MessageText NO_TICKET_APP{
    "The 000000005.app is not in the same folder as the 00000001.app you wish to inject, it is needed to determine "
    "the ticket name!",
    "Error 5.app Not found!", None};
inline constexpr MessageText NOT_A_SNES_APP{"This is not a valid snes 00000001.app!", "Invalid File!", None};
inline constexpr MessageText NOT_A_FOLDER{
    "This is not a correct path!  Path should be set to an extracted 00000005.app, NOT an individual file!",
    "Ivalid Destination Path!", Critical};
inline constexpr MessageText NOT_A_SEGA_FILE{"This is not a valid sega titles file!  Point to a banner.cfg.txt !",
                                             "Invalid Destination File!", Critical};
inline constexpr MessageText NO_SAVEDATA_TARGET{"Cannot File Save banner to inject!", "savedata.tpl Not Found!", None};
inline constexpr MessageText NOT_A_TG16_FILE{
    "This is not a valid TG16 titles file. Point path to TITLE.txt in 00000005.app!", "Invalid Destination File!",
    Critical};
inline constexpr MessageText NO_LZ77_TARGET{"Cannot File Save banner to inject!", "LZ77_banner.tpl Not Found!", None};
inline constexpr MessageText NOT_A_C64_APP{"This is not a valid C-64 1.app!!", "Invalid 00000001.app!", None};

} // namespace msg

// The fixed message as an error of that kind; a detail, when given, follows the prompt on a line of
// its own.
platform::Error errorOf(const MessageText& text, platform::ErrorKind kind, const std::string& detail = {});

// A title that does not fit the place its console keeps it in; what says by how much.
platform::Error titleTooLong(const std::string& what);

// Where a file was looked for, for a "not found" message: "Looked for '/full/path'.", with a note
// when the path text was relative and so taken from the current folder; for an empty path text, that
// none was given.
std::string lookedFor(const std::filesystem::path& path, std::u16string_view pathText);

// The icon an error is shown with: that of the fixed message with the same title (so every message
// under one title looks alike), the critical-error icon for any other.
platform::MessageIcon iconFor(const platform::Error& error);

} // namespace injector
