#pragma once

// Reads back the save titles a destination already holds, per console.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "injector/Consoles.h"

namespace injector {

struct LoadedTitles
{
    std::array<std::u16string, TITLE_SLOTS> titles;
    std::optional<int> language; // the language the window switches to, when the console names one
    bool stopped = false;        // the destination lacked an expected mark: the slots stay empty
};

// The titles held by the destination text (a text in relative form is taken against the program
// folder, as the injection takes it). A missing destination gives empty slots and no stop; a file
// without the console's marks stops with empty slots. Reports nothing.
LoadedTitles loadTitles(int conIndex, std::u16string_view destinationText, const std::filesystem::path& programFolder);

} // namespace injector
