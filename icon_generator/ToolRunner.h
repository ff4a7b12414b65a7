#pragma once

// Runs the outside programs of a generation on scratch files in the program folder: the converter
// reads TGA pictures there and writes its TPL there, gbalzss compresses a file there. Nothing is
// written at the destination from here: the caller checks what came back and writes the outputs
// itself, each whole and atomically. Every scratch file is deleted when the runner goes, whatever
// happened.
//
// Failures come back as errors whose message is the reason, worded to follow "... was not written: ".

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QImage>

#include "platform/Bytes.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace icon_generator {

class ToolRunner
{
public:
    ToolRunner(std::filesystem::path programFolder, platform::MessageSink& sink);
    ~ToolRunner();
    ToolRunner(const ToolRunner&) = delete;
    ToolRunner& operator=(const ToolRunner&) = delete;

    // Saves each picture under its name as a 32-bit TGA, runs the converter on the script and returns
    // the TPL it wrote, checked to be a TPL of `images` images. A converter that cannot be started is
    // also reported through the sink (its "Error running" message).
    [[nodiscard]] platform::Result<platform::Bytes> convert(const std::vector<std::pair<std::string, QImage>>& pictures,
                                                            std::string_view script, std::uint32_t images);

    // Whether gbalzss is in the program folder.
    bool compressorPresent() const;

    // Compresses the bytes with gbalzss and returns its output, checked to decompress to them.
    [[nodiscard]] platform::Result<platform::Bytes> compress(platform::ByteView bytes);

private:
    [[nodiscard]] platform::Result<void> writeScratch(const std::string& name, const QImage& picture);
    [[nodiscard]] platform::Result<void> clearScratch(const std::string& name);
    [[nodiscard]] platform::Result<platform::Bytes> readOutput(const std::string& name, std::string_view tool);

    std::filesystem::path m_folder;
    platform::MessageSink& m_sink;
    std::vector<std::filesystem::path> m_scratch;
};

// The reason a TPL from the converter cannot be used, or nothing: it must begin with the TPL magic
// and hold `images` images.
std::optional<std::string> tplProblem(platform::ByteView tpl, std::uint32_t images);

} // namespace icon_generator
