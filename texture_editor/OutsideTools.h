#pragma once

// The outside tools as the editor runs them: each is copied from the program folder into the work
// folder and started there, as the tools expect. When a tool cannot be copied or started, the error
// carries the whole reason (ShellAndWait's "Error running '...'" text included) instead of showing it
// on its own, so the step that failed reports once, saying what it could not do. Exit codes are
// returned for messages; what a tool left behind is checked by the caller, which knows what to expect.

#include <filesystem>
#include <string_view>

#include "platform/Result.h"
#include "texture_editor/WorkFolder.h"

namespace texture_editor {

// tpl_viewer on tplPath: one TGA per image lands in the work folder.
[[nodiscard]] platform::Result<int> runViewer(const WorkFolder& work, const std::filesystem::path& tplPath);

// gbalzss decompressing the LZ77 file input into output.
[[nodiscard]] platform::Result<int> runDecompressor(const WorkFolder& work, const std::filesystem::path& input,
                                                    const std::filesystem::path& output);

// tpl_converter running the script (a file name in the work folder) to write tplPath.
[[nodiscard]] platform::Result<int> runConverter(const WorkFolder& work, std::string_view script,
                                                 const std::filesystem::path& tplPath);

} // namespace texture_editor
