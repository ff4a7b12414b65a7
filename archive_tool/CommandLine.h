#pragma once

#include <string>
#include <vector>

#include "platform/Result.h"

namespace archive_tool {

enum class Mode { Extract, Pack };

struct CommandLineOptions
{
    Mode mode = Mode::Extract;
    std::u16string file;   // the archive field's text ("" when not given)
    std::u16string folder; // the folder field's text ("" when not given)
    // What the command line holds that the program passes over: the text before the first "-", and
    // every piece that is no option (its text, without the "-").
    std::u16string leadingText;
    std::vector<std::u16string> ignored;
};

// Reads the pieces of a command line (platform::commandPieces; pieces[0], the text before the first
// "-", is passed over). In order, a piece beginning with "p" (any case, so "pack" too) selects
// packing, one beginning with "e" ("extract") extracting, and the later choice wins; "file <path>"
// and "folder <path>" give the two paths: the piece without its keyword and the one character after
// it, trimmed of spaces, every double quote removed. Other pieces are passed over and listed in
// `ignored`. A "file" or "folder" piece that leaves no path is an error (BadArgument): the run cannot
// go on without it, and must not go on with a path the user did not give.
[[nodiscard]] platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces);

} // namespace archive_tool
