#pragma once

// The generator's command line. Its pieces (platform::commandPieces: each argument that begins with
// "-" opens a piece) are switches, each optionally followed by a space and a value:
//
//     -alt          use the alternate templates
//     -sys <code>   the console (any letter case): neogeo, nes, snes, n64, smd, gen, tg16, sms, c64,
//                   fc, sfc, msx, mdj, pce
//     -s <picture>  the source picture
//     -d <prefix>   the destination prefix (a folder ending in "\" or "/", or a folder and a stem)
//     -m <what>     "all", or letters: c channel icon, b channel picture (banner), s save data
//
// Switch names are compared without regard to case; values keep theirs. A value in double quotes is
// the text between the first two quotes, any other value the rest of the piece; spaces around it are
// dropped. A later switch replaces an earlier one.

#include <optional>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace icon_generator {

struct CommandLineOptions
{
    bool alternate = false;
    std::optional<std::u16string> system; // a known console code, lower-cased
    std::optional<std::u16string> source;
    std::optional<std::u16string> destination;
    bool saveData = true;
    bool channelPicture = true;
    bool channelIcon = true;
    // Pieces that are no switch of the generator, as typed ("-foo"), for the "ignored" notes.
    std::vector<std::string> ignored;
};

// Reads the pieces (pieces[0] is the text before the first switch). Errors (BadArgument): a switch
// that needs a value and has none, an unknown console code, and an -m value that names no output.
[[nodiscard]] platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces);

// The usage text of --help.
extern const char* const MINTREL_USAGE;

} // namespace icon_generator
