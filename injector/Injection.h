#pragma once

// One injection: checks the source and destination of the chosen console, copies or merges the
// texture, writes the save titles and reports. Messages go through the platform message sink.

#include <array>
#include <filesystem>
#include <string>

#include "injector/Consoles.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace injector {

// The whole-file buffers the injection and the title loader work in.
struct FileBuffers
{
    platform::Bytes headerData;
    platform::Bytes donorData;
    platform::Bytes destData;

    // Each empties its buffer, then reads the whole file at path into it.
    [[nodiscard]] platform::Result<void> Loadhead(const std::filesystem::path& path);
    [[nodiscard]] platform::Result<void> LoadDonor(const std::filesystem::path& path);
    [[nodiscard]] platform::Result<void> LoadDest(const std::filesystem::path& path);
};

struct InjectionRequest
{
    int conIndex = NO_CONSOLE; // unset runs the NeoGeo branch
    std::u16string source;     // path texts, already in absolute form
    std::u16string destination;
    std::array<std::u16string, TITLE_SLOTS> titles;
    std::filesystem::path programFolder;
    bool commandLine = false; // an unattended run: the title part of the report is left out
};

enum class InjectionStatus {
    Done,       // everything asked for was written
    Incomplete, // a texture step was passed over with a message; the titles were written
    Stopped,    // a check failed: nothing was written after it
};

struct InjectionOutcome
{
    InjectionStatus status = InjectionStatus::Done;
    std::u16string report; // also shown as the final message when not empty
};

// Runs the branch of the request's console. Every message, the final report included, is shown
// through the platform message sink.
InjectionOutcome cmdInject2(const InjectionRequest& request, FileBuffers& buffers);

} // namespace injector
