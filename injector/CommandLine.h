#pragma once

// Stavik's command line as values: what each option asks, in the order given. The model applies them
// in that order (InjectorModel::applyOptions).

#include <string>
#include <vector>

#include "platform/Result.h"

namespace injector {

extern const char* const STAVIK_USAGE;

struct CommandLineStep
{
    enum class Kind {
        FirstArgument, // the destination before any option: in the program folder unless absolute
        Console,       // -C: index is the console
        Title,         // -EN, -N, -TITLE, -JP, -GE, -FR, -SP, -IT, -DU: index is the title slot
        Source,        // -SRC
        Destination,   // -DST
    };
    Kind kind;
    int index = 0;
    std::u16string text;
};

struct CommandLineOptions
{
    std::vector<CommandLineStep> steps;
    std::vector<std::u16string> ignored; // unknown option keys, upper-cased
};

// Reads the pieces of a command line (platform::commandPieces): piece 0, trimmed, is the destination
// when not empty; every further piece is a key (upper-cased, up to its first blank) and a value (the
// rest, trimmed, every double quote removed). Unknown keys are collected as ignored. Fails
// (BadArgument, nothing to apply) on an unknown console code and on an option whose value is missing
// altogether (`-EN` last or followed by another option); `-EN ""` gives an empty value on purpose.
[[nodiscard]] platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces);

} // namespace injector
