#pragma once

// Lorvane's command line as values: the layout path, then the options in the order given. The model
// applies them (BannerModel::applyOptions); nothing here reads or writes a file.

#include <string>
#include <vector>

#include "platform/Result.h"

namespace banner_editor {

// The usage text printed by --help.
extern const char* const LORVANE_USAGE;

// One option of the command line.
struct CommandOption
{
    enum class Kind {
        Logo,           // -LOGO file
        Force,          // -FORCE code
        Color,          // -COLOR scheme
        Title,          // -TITLE text: every language
        Year,           // -YEAR year
        Players,        // -PLAY n
        System,         // -SYSTEM text
        Rating,         // -ESRB rating
        Padding,        // -PAD size
        PlayersField,   // -2 ... -5: the players field only
        LanguageTitle,  // -T_xxx text: one language
        LanguageYear,   // -Y_xxx year
        LanguageRating, // -E_xxx rating
        AnyPane,        // -H_pane text
        Unknown,        // anything else: passed over, and named
    };
    Kind kind = Kind::Unknown;
    std::u16string value; // the option's value; for Unknown the option's key as typed ("-bogus")
    std::string target;   // the language code (-T_, -Y_, -E_) or the pane name (-H_)

    bool operator==(const CommandOption&) const = default;
};

struct CommandLineOptions
{
    // The layout as a path text: absolute, or beginning with "\" (relative to the program folder).
    // Empty: the last layout.
    std::u16string path;
    std::vector<CommandOption> options;
};

// Reads the pieces of a command line (platform::commandPieces): the first is the layout path, each
// further piece an option, its key the first word (any case). A value is the piece without its key,
// trimmed, with every double quote removed (a year keeps its quotes). An option that needs a value and
// has none, a -FORCE code that is not a language item, a -PAD that is not a size, or a help or version
// option among other arguments makes the command line unusable (BadArgument, naming the option): then
// nothing is to be applied at all.
[[nodiscard]] platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces);

} // namespace banner_editor
