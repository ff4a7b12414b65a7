#pragma once

// What tpl_converter does: run a script (TcsScript.h) and write the TPL it describes.

#include <filesystem>

#include "platform/Result.h"

namespace tools {

// Reads the script, the TGA pictures it names (in the folder of its "path =" line; a relative folder
// and the empty one count from currentFolder), encodes one texture per "texture" line and writes the
// TPL atomically. On any error nothing is written; the message names the script line or the file.
[[nodiscard]] platform::Result<void> convertScript(const std::filesystem::path& scriptPath,
                                                   const std::filesystem::path& outputPath,
                                                   const std::filesystem::path& currentFolder);

} // namespace tools
