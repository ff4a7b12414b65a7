// gbalzss e|d <in> <out>: LZ77 type 0x10 compression (smallest output) and decompression.

#include <cstdio>
#include <filesystem>

#include "platform/CommandLine.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "tools/Lz77.h"

namespace {

const char* const USAGE = "usage: gbalzss e <in> <out>   compress (LZ77 type 0x10, smallest output)\n"
                          "       gbalzss d <in> <out>   decompress\n";

} // namespace

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (const auto done = platform::handleHelpOrVersion(args, "gbalzss", USAGE))
        return *done;
    platform::setProgramName("gbalzss");
    if (args.size() != 3 || (args[0] != "e" && args[0] != "d")) {
        std::fputs(USAGE, stderr);
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    const std::filesystem::path inPath = platform::findExisting(args[1]);
    auto input = platform::readFile(inPath);
    if (!input) {
        platform::showError(
            platform::makeError(input.error().kind, "\"" + args[1] + "\" cannot be read: " + input.error().message));
        return platform::EXIT_FAILED;
    }
    auto output = args[0] == "e" ? tools::compressLz77(*input) : tools::decompressLz77(*input);
    if (!output) {
        platform::showError(platform::makeError(output.error().kind, "\"" + args[1] + "\": " + output.error().message));
        return platform::EXIT_FAILED;
    }
    if (auto ok = platform::writeFileAtomic(platform::pathForCreate(args[2]), *output); !ok) {
        platform::showError(ok.error());
        return platform::EXIT_FAILED;
    }
    return platform::EXIT_DONE;
}
