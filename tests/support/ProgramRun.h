#pragma once

#include <filesystem>
#include <string>

#include <QStringList>

namespace test_support {

// What a run of a built program left: its exit status (-1 when it crashed or hung) and its output.
struct RunResult
{
    int exitCode = -1;
    std::string out, err;
};

// The built program of that name in the portable program folder of the build.
std::filesystem::path builtProgram(const std::string& name);

// Copies the built program into folder, which then serves as its program folder (programs find their
// data beside their own executable), and returns the copy's path.
std::filesystem::path installProgram(const std::string& name, const std::filesystem::path& folder);

// Runs program with args and waits for it, as an unattended run would be started: no display, so a
// window can never appear. Runs in workingFolder when one is given.
RunResult runProgram(const std::filesystem::path& program, const QStringList& args,
                     const std::filesystem::path& workingFolder = {});

// A path as a program argument.
QString arg(const std::filesystem::path& path);

} // namespace test_support
