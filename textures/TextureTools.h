#pragma once

// Running the outside texture tools: tpl_converter encodes TGA pictures into a TPL as a script says,
// tpl_viewer decodes a TPL into one TGA per image in its working folder, gbalzss compresses and
// decompresses LZ77 (type 0x10). They are started through
// platform::ShellAndWait, which shows "Error running '...'" through the caller's sink when a tool cannot
// be started; their exit codes are returned but the programs do not act on them.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Messages.h"
#include "platform/Result.h"

namespace textures {

// The tool names as command lines give them; the platform layer drops ".exe" where programs have no
// suffix.
inline constexpr std::string_view CONVERTER_PROGRAM = "tpl_converter.exe";
inline constexpr std::string_view VIEWER_PROGRAM = "tpl_viewer.exe";
inline constexpr std::string_view LZ77_PROGRAM = "gbalzss.exe";

// "tpl_converter.exe " + script + " " + quoted TPL path.
std::string converterCommandLine(std::string_view script, const std::filesystem::path& tplPath);
// "tpl_viewer.exe " + quoted TPL path.
std::string viewerCommandLine(const std::filesystem::path& tplPath);
// "gbalzss.exe d " (decompress) or "gbalzss.exe e " (compress) + quoted input path + " " + quoted
// output path.
std::string decompressCommandLine(const std::filesystem::path& input, const std::filesystem::path& output);
std::string compressCommandLine(const std::filesystem::path& input, const std::filesystem::path& output);

// A tool's name where programs carry no suffix ("gbalzss" for "gbalzss.exe"), as messages name it.
std::string toolName(std::string_view tool);

// Whether a tool is in folder, with or without its ".exe" suffix.
bool toolIsIn(const std::filesystem::path& folder, std::string_view tool);

// Runs the converter in workingFolder (where the script and its pictures are) to write tplPath; a
// tool that cannot be started is reported through sink. A path that a command line cannot quote (it
// holds a double quote) is refused before anything runs.
[[nodiscard]] platform::Result<int> MakeTpl(platform::MessageSink& sink, const std::filesystem::path& tplPath,
                                            std::string_view script, const std::filesystem::path& workingFolder);

// Runs the viewer in workingFolder on tplPath; the pictures land in workingFolder.
[[nodiscard]] platform::Result<int> RunViewer(platform::MessageSink& sink, const std::filesystem::path& tplPath,
                                              const std::filesystem::path& workingFolder);

// Runs gbalzss in workingFolder to decompress the LZ77 file at input into output.
[[nodiscard]] platform::Result<int> RunDecompressor(platform::MessageSink& sink, const std::filesystem::path& input,
                                                    const std::filesystem::path& output,
                                                    const std::filesystem::path& workingFolder);

// Runs gbalzss in workingFolder to compress the file at input into output.
[[nodiscard]] platform::Result<int> RunCompressor(platform::MessageSink& sink, const std::filesystem::path& input,
                                                  const std::filesystem::path& output,
                                                  const std::filesystem::path& workingFolder);

// Copies a tool (CONVERTER_PROGRAM, VIEWER_PROGRAM or LZ77_PROGRAM) from the program folder into folder, keeping
// it executable. The file is found with or without its ".exe" suffix and keeps its own name.
[[nodiscard]] platform::Result<void> copyToolInto(const std::filesystem::path& programFolder, std::string_view tool,
                                                  const std::filesystem::path& folder);

} // namespace textures
