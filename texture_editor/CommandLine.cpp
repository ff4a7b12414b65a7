#include "texture_editor/CommandLine.h"

namespace texture_editor {

const char* const PEXMO_USAGE =
    "usage: Pexmo\n"
    "Opens the texture editor window: it shows the images of a TPL, WTE, save banner (banner.bin), NES\n"
    "00000001.app or picture, replaces single images by pictures and saves them as a TPL (RGB565 or\n"
    "RGB5A3) or the first image as a bitmap. Pexmo takes no other arguments; given any, it ends\n"
    "without opening its window.\n";

platform::Error argumentsRefused(const std::vector<std::string>& args)
{
    std::string given;
    for (const auto& arg : args)
        given += (given.empty() ? "" : " ") + arg;
    return platform::makeError(platform::ErrorKind::BadArgument,
                               "Pexmo takes no arguments, so it ends without opening its window (given: " + given +
                                   "). Start it without arguments, or with --help.");
}

} // namespace texture_editor
