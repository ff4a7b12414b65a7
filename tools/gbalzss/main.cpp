// gbalzss e|d <in> <out>: LZ77 type 0x10 compression (smallest output) and decompression.

#include <cstdio>
#include <filesystem>

#include "platform/CommandLine.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/PathText.h"
#include "tools/Lz77.h"
#include "tools/ToolArguments.h"

namespace {

const char* const USAGE = "usage: gbalzss e <in> <out>   compress (LZ77 type 0x10, smallest output)\n"
                          "       gbalzss d <in> <out>   decompress\n";

} // namespace

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (const auto done = platform::handleHelpOrVersion(args, "gbalzss", USAGE))
        return *done;
    platform::StderrMessageSink sink("gbalzss");
    if (const auto refused = tools::checkArguments(args, 3, USAGE, sink))
        return *refused;
    if (args[0] != "e" && args[0] != "d") {
        sink.message("The first argument is e (compress) or d (decompress), not \"" + args[0] + "\".");
        std::fputs(USAGE, stderr);
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    const std::filesystem::path inPath = platform::findExisting(args[1]);
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(inPath, ec);
    const std::string shown = platform::quoted(ec ? inPath : absolute); // the full path, for messages
    auto input = platform::readFile(inPath);
    if (!input) {
        sink.message(input.error().kind == platform::ErrorKind::NotFound ? "The file " + shown + " was not found."
                                                                         : input.error().message);
        return platform::EXIT_FAILED;
    }
    auto output = args[0] == "e" ? tools::compressLz77(*input) : tools::decompressLz77(*input);
    if (!output) {
        sink.message(shown + " is " + output.error().message + ".");
        return platform::EXIT_FAILED;
    }
    if (auto ok = platform::writeFileAtomic(platform::pathForCreate(args[2]), *output); !ok) {
        sink.error(ok.error());
        return platform::EXIT_FAILED;
    }
    return platform::EXIT_DONE;
}
