#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Result.h"

namespace platform {

// The pieces a command line is cut into, formed from the argument vector: every argument that begins
// with "-" opens a new piece (its leading dashes dropped); any other argument is appended to the
// current piece after one space. Before the first "-" argument, arguments form the first piece (the
// path), which is always present, possibly empty. So pieces[0] is the path and pieces[1..] the options.
std::vector<std::u16string> commandPieces(const std::vector<std::string>& args);

// The arguments after the program name, as UTF-8 strings.
std::vector<std::string> argumentsOf(int argc, char** argv);

// When the only argument is --help, -h, -help or -? (usage) or --version ("<program> <version>"),
// prints it to standard output and returns 0 (the exit status); otherwise returns nothing. A program
// asks this before it reads or writes anything.
std::optional<int> handleHelpOrVersion(const std::vector<std::string>& args, const std::string& program,
                                       const std::string& usage);

// The suite's version ("0.1.0").
const char* suiteVersion();

// Exit statuses of an unattended run.
inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_BAD_COMMAND_LINE = 2;

// The exit status of a run that stopped on this error: 2 for a value the command line gave that
// cannot be used (ErrorKind::BadArgument), 1 for everything else.
int exitStatusFor(const Error& error);

} // namespace platform
