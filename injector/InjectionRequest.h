#pragma once

// What one injection is asked to do, and what it did.

#include <array>
#include <filesystem>
#include <string>

#include "injector/Consoles.h"

namespace injector {

struct InjectionRequest
{
    int conIndex = NO_CONSOLE; // unset runs the NeoGeo injection
    std::u16string source;     // path texts, already in absolute form where they began with "\"
    std::u16string destination;
    std::array<std::u16string, TITLE_SLOTS> titles;
    std::filesystem::path programFolder;
    // An unattended run: the title part of the report is left out, and whatever cannot be done as
    // asked (a texture with no place to go, a source that names nothing) stops the injection.
    bool commandLine = false;
};

struct InjectionOutcome
{
    // False when a window run passed over a texture with a message; the titles were written.
    bool complete = true;
    std::u16string report; // shown as the final message when not empty
};

} // namespace injector
