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
};

// Reads the pieces of a command line (platform::commandPieces; pieces[0], the text before the first
// "-", is ignored). In order, a piece beginning with "p" (any case, so "pack" too) selects packing,
// one beginning with "e" ("extract") extracting, and the later choice wins; "file <path>" and
// "folder <path>" give the two paths: the piece without its keyword and the one character after
// it, trimmed of spaces, every double quote removed. Other pieces are passed over. A "file" or
// "folder" piece that leaves no path is an error (BadArgument): the run cannot go on without it.
[[nodiscard]] platform::Result<CommandLineOptions> ParseCLO(const std::vector<std::u16string>& pieces);

} // namespace archive_tool
