#pragma once

// Pexmo has no unattended run: started with any argument it ends without opening its window (after
// --help and --version, which print and exit 0).

#include <string>
#include <vector>

#include "platform/Result.h"

namespace texture_editor {

inline constexpr const char* PROGRAM_NAME = "Pexmo";

// What --help prints.
extern const char* const PEXMO_USAGE;

// Why a run with these arguments ends at once, naming them (ErrorKind::BadArgument: exit status 2).
platform::Error argumentsRefused(const std::vector<std::string>& args);

} // namespace texture_editor
