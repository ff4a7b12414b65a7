#include "textures/TextureTools.h"

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "platform/TextCodec.h"

namespace textures {
namespace fs = std::filesystem;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

std::string quotedArgument(const fs::path& p)
{
    return "\"" + platform::utf8FromUtf16(platform::pathToText(p)) + "\"";
}

// A double quote inside a path would end the quoted argument early and hand the tool another path.
Result<void> checkQuotable(const fs::path& p)
{
    if (platform::pathToText(p).find(u'"') != std::u16string::npos)
        return makeError(ErrorKind::BadArgument, "The path " + platform::utf8FromUtf16(platform::pathToText(p)) +
                                                     " holds a double quote and cannot be handed to a texture tool.");
    return {};
}

} // namespace

std::string toolName(std::string_view tool)
{
    std::string name(tool);
    if (name.size() > 4 && platform::equalsIgnoringCase(name.substr(name.size() - 4), ".exe"))
        name.resize(name.size() - 4);
    return name;
}

bool toolIsIn(const fs::path& folder, std::string_view tool)
{
    return platform::fileExists(folder / std::string(tool)) || platform::fileExists(folder / toolName(tool));
}

std::string converterCommandLine(std::string_view script, const fs::path& tplPath)
{
    return std::string(CONVERTER_PROGRAM) + " " + std::string(script) + " " + quotedArgument(tplPath);
}

std::string viewerCommandLine(const fs::path& tplPath)
{
    return std::string(VIEWER_PROGRAM) + " " + quotedArgument(tplPath);
}

std::string decompressCommandLine(const fs::path& input, const fs::path& output)
{
    return std::string(LZ77_PROGRAM) + " d " + quotedArgument(input) + " " + quotedArgument(output);
}

std::string compressCommandLine(const fs::path& input, const fs::path& output)
{
    return std::string(LZ77_PROGRAM) + " e " + quotedArgument(input) + " " + quotedArgument(output);
}

Result<int> MakeTpl(platform::MessageSink& sink, const fs::path& tplPath, std::string_view script,
                    const fs::path& workingFolder)
{
    if (auto ok = checkQuotable(tplPath); !ok)
        return ok.error();
    return platform::ShellAndWait(sink, converterCommandLine(script, tplPath), workingFolder);
}

Result<int> RunViewer(platform::MessageSink& sink, const fs::path& tplPath, const fs::path& workingFolder)
{
    if (auto ok = checkQuotable(tplPath); !ok)
        return ok.error();
    return platform::ShellAndWait(sink, viewerCommandLine(tplPath), workingFolder);
}

Result<int> RunDecompressor(platform::MessageSink& sink, const fs::path& input, const fs::path& output,
                            const fs::path& workingFolder)
{
    for (const auto& path : {input, output})
        if (auto ok = checkQuotable(path); !ok)
            return ok.error();
    return platform::ShellAndWait(sink, decompressCommandLine(input, output), workingFolder);
}

Result<int> RunCompressor(platform::MessageSink& sink, const fs::path& input, const fs::path& output,
                          const fs::path& workingFolder)
{
    for (const auto& path : {input, output})
        if (auto ok = checkQuotable(path); !ok)
            return ok.error();
    return platform::ShellAndWait(sink, compressCommandLine(input, output), workingFolder);
}

Result<void> copyToolInto(const fs::path& programFolder, std::string_view tool, const fs::path& folder)
{
    // The program folder holds the tool under the platform's name: with ".exe" on Windows, without
    // elsewhere. Whichever is there is copied under its own name.
    fs::path source = programFolder / std::string(tool);
    if (!platform::fileExists(source))
        source = programFolder / toolName(tool);
    if (!platform::fileExists(source))
        return makeError(ErrorKind::NotFound, "The program " + std::string(tool) + " is not in the program folder " +
                                                  programFolder.string() + ".");
    source = platform::findExisting(source);
    const fs::path target = folder / source.filename();
    if (auto copied = platform::copyFile(source, target); !copied)
        return copied.error();
    // The copy is a new file; give it the tool's permissions so it can be started.
    std::error_code ec;
    fs::permissions(platform::findExisting(target), fs::status(source, ec).permissions(), ec);
    if (ec)
        return makeError(ErrorKind::WriteFailed, "Cannot make " + target.string() + " executable: " + ec.message());
    return {};
}

} // namespace textures
