#include "icon_generator/ToolRunner.h"

#include <algorithm>

#include <QFile>

#include "icon_generator/OutputNames.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "platform/QtText.h"
#include "platform/TextCodec.h"
#include "textures/ContainerFormat.h"
#include "textures/ImageAdapter.h"
#include "textures/TextureTools.h"
#include "tools/Lz77.h"

namespace icon_generator {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

// The converter's output and the compressor's input and output, all in the program folder. No
// output name ends in one of these, so a destination in the program folder never meets them.
constexpr const char* CONVERTED_SCRATCH = "in.tpl";
constexpr const char* UNCOMPRESSED_SCRATCH = "in.arc";
constexpr const char* COMPRESSED_SCRATCH = "in.lz";

// What an outside program's run says about its output: nothing when it ended well.
Result<void> runOutcome(const Result<int>& run, std::string_view tool)
{
    const std::string name = textures::toolName(tool);
    if (!run)
        return makeError(ErrorKind::ProcessFailed, name + " could not be started");
    if (*run < 0)
        return makeError(ErrorKind::ProcessFailed, name + " stopped abnormally");
    if (*run != 0)
        return makeError(ErrorKind::ProcessFailed, name + " failed (exit status " + std::to_string(*run) + ")");
    return {};
}

// A scratch file is read by the next outside program at once and deleted after: it is written plainly,
// without the flush to the device that a durable replacement costs (most of a run's time otherwise).
Result<void> writeScratchFile(const fs::path& path, ByteView bytes)
{
    QFile file(platform::pathToQString(path));
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.flush())
        return makeError(ErrorKind::WriteFailed, "the scratch file " + platform::quoted(path) + " cannot be written (" +
                                                     file.errorString().toStdString() + ")");
    return {};
}

} // namespace

std::optional<std::string> tplProblem(ByteView tpl, std::uint32_t images)
{
    if (tpl.size() < textures::TPL_FILE_HEADER_SIZE ||
        !std::equal(textures::TPL_MAGIC_BYTES.begin(), textures::TPL_MAGIC_BYTES.end(), tpl.begin()))
        return "the converter's output is not a TPL file";
    const std::uint32_t count = platform::readBe32(tpl, textures::TPL_IMAGE_COUNT);
    if (count != images)
        return "the converter wrote " + std::to_string(count) + " images where " + std::to_string(images) +
               " belong (check the script)";
    return std::nullopt;
}

ToolRunner::ToolRunner(fs::path programFolder, platform::MessageSink& sink)
    : m_folder(std::move(programFolder)), m_sink(sink)
{
    // A run that was killed could not delete its scratch files; the next one does.
    for (const auto& name : scratchNames())
        (void)platform::removeIfPresent(m_folder / name);
    for (const char* name : {CONVERTED_SCRATCH, UNCOMPRESSED_SCRATCH, COMPRESSED_SCRATCH})
        (void)platform::removeIfPresent(m_folder / name);
}

ToolRunner::~ToolRunner()
{
    for (const auto& path : m_scratch)
        (void)platform::removeIfPresent(path);
}

Result<void> ToolRunner::clearScratch(const std::string& name)
{
    const fs::path path = m_folder / name;
    if (std::find(m_scratch.begin(), m_scratch.end(), path) == m_scratch.end())
        m_scratch.push_back(path);
    if (auto removed = platform::removeIfPresent(path); !removed)
        return makeError(ErrorKind::WriteFailed,
                         "the scratch file " + platform::quoted(path) + " in the program folder cannot be replaced");
    return {};
}

Result<void> ToolRunner::writeScratch(const std::string& name, const QImage& picture)
{
    if (auto cleared = clearScratch(name); !cleared)
        return cleared;
    auto encoded = textures::encodeTga(picture, m_folder / name);
    if (!encoded)
        return makeError(ErrorKind::WriteFailed, "the scratch picture " + platform::quoted(m_folder / name) +
                                                     " cannot be made (" + encoded.error().message + ")");
    return writeScratchFile(encoded->path, encoded->bytes);
}

Result<Bytes> ToolRunner::readOutput(const std::string& name, std::string_view tool)
{
    auto bytes = platform::readFile(m_folder / name);
    if (!bytes)
        return makeError(ErrorKind::NotFound, textures::toolName(tool) + " wrote no file");
    return bytes;
}

Result<Bytes> ToolRunner::convert(const std::vector<std::pair<std::string, QImage>>& pictures, std::string_view script,
                                  std::uint32_t images)
{
    if (!platform::fileExists(m_folder / std::string(script)))
        return makeError(ErrorKind::NotFound,
                         "the converter script " + std::string(script) + " is not in the program folder");
    for (const auto& [name, picture] : pictures)
        if (auto written = writeScratch(name, picture); !written)
            return written.error();
    if (auto cleared = clearScratch(CONVERTED_SCRATCH); !cleared)
        return cleared.error();
    const auto run = textures::MakeTpl(m_sink, m_folder / CONVERTED_SCRATCH, script, m_folder);
    if (auto outcome = runOutcome(run, textures::CONVERTER_PROGRAM); !outcome)
        return outcome.error();
    auto tpl = readOutput(CONVERTED_SCRATCH, textures::CONVERTER_PROGRAM);
    if (!tpl)
        return tpl;
    if (auto problem = tplProblem(*tpl, images))
        return makeError(ErrorKind::BadFormat, *problem);
    return tpl;
}

bool ToolRunner::compressorPresent() const
{
    return textures::toolIsIn(m_folder, textures::LZ77_PROGRAM);
}

Result<Bytes> ToolRunner::compress(ByteView bytes)
{
    for (const char* name : {UNCOMPRESSED_SCRATCH, COMPRESSED_SCRATCH})
        if (auto cleared = clearScratch(name); !cleared)
            return cleared.error();
    if (auto written = platform::writeFileAtomic(m_folder / UNCOMPRESSED_SCRATCH, bytes); !written)
        return makeError(ErrorKind::WriteFailed,
                         "the scratch file for gbalzss cannot be written (" + written.error().message + ")");
    const auto run =
        textures::RunCompressor(m_sink, m_folder / UNCOMPRESSED_SCRATCH, m_folder / COMPRESSED_SCRATCH, m_folder);
    if (!run && run.error().kind == ErrorKind::BadArgument)
        return run.error(); // a program folder whose path a command line cannot carry
    if (auto outcome = runOutcome(run, textures::LZ77_PROGRAM); !outcome)
        return outcome.error();
    auto compressed = readOutput(COMPRESSED_SCRATCH, textures::LZ77_PROGRAM);
    if (!compressed)
        return compressed;
    // What the title reads back must be the texture itself.
    const auto unpacked = tools::decompressLz77(*compressed);
    if (!unpacked || !std::equal(unpacked->begin(), unpacked->end(), bytes.begin(), bytes.end()))
        return makeError(ErrorKind::BadFormat, "gbalzss wrote a file that does not decompress to the texture");
    return compressed;
}

} // namespace icon_generator
