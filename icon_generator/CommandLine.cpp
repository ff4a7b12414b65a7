#include "icon_generator/CommandLine.h"

#include "icon_generator/Consoles.h"
#include "platform/TextCodec.h"

namespace icon_generator {
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

const char* const MINTREL_USAGE =
    "Usage: Mintrel                                            open the window\n"
    "       Mintrel [-sys code] [-alt] -s picture [-d prefix] [-m all|c|b|s...]\n"
    "\n"
    "Makes the textures of a Virtual Console title from one picture, then exits.\n"
    "  -sys code   the console: neogeo, nes, snes, n64, smd, gen, tg16, sms, c64, fc, sfc, msx, mdj, pce\n"
    "  -alt        draw on the alternate templates (\"alt save icons\") where the console has them\n"
    "  -s picture  the source picture (PNG, BMP, JPEG, GIF)\n"
    "  -d prefix   put before every output name: a folder ending in \\ or /, or a folder and a stem\n"
    "              (default: the source path without its extension)\n"
    "  -m what     all (default), or letters: s save data, b channel picture, c channel icon\n"
    "\n"
    "Paths beginning with \\ are relative to the program folder. Exit status: 0 every output\n"
    "written, 1 an output not written (each named on standard error), 2 unusable command line.\n";

namespace {

std::string utf8(std::u16string_view text)
{
    return platform::utf8FromUtf16(text);
}

std::u16string lower(std::u16string_view text)
{
    return platform::utf16FromUtf8(platform::asciiLower(utf8(text)));
}

// The value of a piece: between the first two double quotes when it has one, else the whole text;
// spaces around it dropped.
std::u16string valueOf(std::u16string_view rest)
{
    if (const auto open = rest.find(u'"'); open != std::u16string_view::npos) {
        const auto close = rest.find(u'"', open + 1);
        rest = rest.substr(open + 1, close == std::u16string_view::npos ? std::u16string_view::npos : close - open - 1);
    }
    return platform::trimSpaces(rest);
}

platform::Error needsValue(const std::string& option, const std::string& what)
{
    return makeError(ErrorKind::BadArgument, "The option -" + option + " needs " + what + " after it.");
}

Result<void> readOutputs(const std::u16string& value, CommandLineOptions& options)
{
    const std::u16string letters = lower(value);
    if (letters == u"all") {
        options.saveData = options.channelPicture = options.channelIcon = true;
        return {};
    }
    options.saveData = letters.find(u's') != std::u16string::npos;
    options.channelPicture = letters.find(u'b') != std::u16string::npos;
    options.channelIcon = letters.find(u'c') != std::u16string::npos;
    if (!options.saveData && !options.channelPicture && !options.channelIcon)
        return makeError(ErrorKind::BadArgument, "-m " + utf8(value) +
                                                     " names no output (s save data, b channel picture, c channel "
                                                     "icon, or all), so there is nothing to make.");
    return {};
}

} // namespace

Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces)
{
    CommandLineOptions options;
    if (!pieces.empty() && !platform::trimSpaces(pieces[0]).empty())
        options.ignored.push_back(utf8(pieces[0]));
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string_view piece = pieces[i];
        const auto space = piece.find(u' ');
        const std::string name = platform::asciiLower(utf8(piece.substr(0, space)));
        const std::u16string value =
            space == std::u16string_view::npos ? std::u16string() : valueOf(piece.substr(space + 1));
        if (name.empty())
            continue;
        if (name == "alt") {
            options.alternate = true;
        } else if (name == "sys") {
            if (value.empty())
                return needsValue(name, "a console code (" + consoleCodes() + ")");
            const std::u16string code = lower(value.substr(0, value.find(u' ')));
            if (consoleIndexOf(code) == NO_CONSOLE)
                return makeError(ErrorKind::BadArgument,
                                 "Unknown console \"" + utf8(code) + "\" for -sys: use one of " + consoleCodes() + ".");
            options.system = code;
        } else if (name == "s" || name == "d") {
            if (value.empty())
                return needsValue(name, name == "s" ? "the source picture" : "the destination");
            (name == "s" ? options.source : options.destination) = value;
        } else if (name == "m") {
            if (value.empty())
                return needsValue(name, "the outputs to make (all, or letters of s, b, c)");
            if (auto read = readOutputs(value, options); !read)
                return read.error();
        } else {
            options.ignored.push_back("-" + utf8(piece));
        }
    }
    return options;
}

} // namespace icon_generator
