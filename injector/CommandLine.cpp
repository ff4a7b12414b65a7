#include "injector/CommandLine.h"

#include <array>
#include <optional>

#include "injector/Consoles.h"
#include "platform/TextCodec.h"

namespace injector {

const char* const STAVIK_USAGE =
    "Usage: Stavik [destination] [-C code] [-DST destination] [-SRC source] [-EN title] [-JP title]\n"
    "              [-GE title] [-FR title] [-SP title] [-IT title] [-DU title]\n"
    "\n"
    "Injects save textures and save titles into an extracted Virtual Console title, then exits.\n"
    "Without arguments the window opens.\n"
    "\n"
    "  -C code      console: neogeo, nes, snes, n64, gen, tg16, sms, c64, msx. It resets the\n"
    "               destination and the English title to the console's defaults, so give -DST\n"
    "               and the titles after it. Without -C the NeoGeo injection runs, and only onto\n"
    "               an existing save banner (a file that starts with \"WIBN\").\n"
    "  -DST path    the file (or, for n64, the meta folder) to inject into\n"
    "  -SRC path    the texture: a tpl file (c64: the LZ77-compressed LZ77_banner.tpl), or for\n"
    "               gen, sms and msx a folder of WTE files\n"
    "  -EN, -N, -TITLE text   English title; -JP -GE -FR -SP -IT -DU: the other languages\n"
    "\n"
    "Options apply in order. \"^\" in a title is a line break. A path that begins with \\ is taken\n"
    "relative to the program folder, any other relative path from the current folder.\n"
    "Exit status: 0 injected, 1 stopped and nothing written (reason on standard error),\n"
    "2 unusable command line.\n";

namespace {

struct Key
{
    std::u16string_view name;
    CommandLineStep::Kind kind;
    int slot;
};

constexpr std::array<Key, 11> KEYS = {{
    {u"N", CommandLineStep::Kind::Title, ENGLISH_SLOT},
    {u"TITLE", CommandLineStep::Kind::Title, ENGLISH_SLOT},
    {u"EN", CommandLineStep::Kind::Title, ENGLISH_SLOT},
    {u"JP", CommandLineStep::Kind::Title, 0},
    {u"GE", CommandLineStep::Kind::Title, 2},
    {u"FR", CommandLineStep::Kind::Title, 3},
    {u"SP", CommandLineStep::Kind::Title, 4},
    {u"IT", CommandLineStep::Kind::Title, 5},
    {u"DU", CommandLineStep::Kind::Title, 6},
    {u"SRC", CommandLineStep::Kind::Source, 0},
    {u"DST", CommandLineStep::Kind::Destination, 0},
}};

platform::Error unusable(const std::string& what)
{
    return platform::makeError(platform::ErrorKind::BadArgument, what + " Nothing was injected.",
                               "Invalid Command Line!");
}

} // namespace

platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces)
{
    CommandLineOptions options;
    if (pieces.empty())
        return options;
    if (const std::u16string path = platform::trimSpaces(pieces[0]); !path.empty())
        options.steps.push_back({CommandLineStep::Kind::FirstArgument, 0, path});
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string& piece = pieces[i];
        const auto blank = piece.find(u' ');
        const std::u16string key = platform::asciiUpper(piece.substr(0, blank));
        const bool hasValue = blank != std::u16string::npos;
        std::u16string value = hasValue ? platform::trimSpaces(piece.substr(blank + 1)) : std::u16string();
        std::erase(value, u'"');
        if (key.empty())
            continue; // a lone "-"

        std::optional<CommandLineStep> step;
        if (key == u"C") {
            step = CommandLineStep{CommandLineStep::Kind::Console, 0, value};
        } else {
            for (const Key& known : KEYS)
                if (key == known.name)
                    step = CommandLineStep{known.kind, known.slot, value};
        }
        if (!step) {
            options.ignored.push_back(key);
            continue;
        }
        if (!hasValue)
            return unusable("The option -" + platform::utf8FromUtf16(key) + " needs a value and has none.");
        if (step->kind == CommandLineStep::Kind::Console) {
            step->index = consoleOfCode(platform::utf8FromUtf16(value));
            // An unknown code would run the NeoGeo injection instead of the console meant.
            if (step->index == NO_CONSOLE)
                return unusable("Unknown console code \"" + platform::utf8FromUtf16(value) +
                                "\"; use neogeo, nes, snes, n64, gen, tg16, sms, c64 or msx.");
        }
        options.steps.push_back(std::move(*step));
    }
    return options;
}

} // namespace injector
