#include "icon_generator/Generation.h"

#include <algorithm>
#include <map>
#include <optional>

#include "icon_generator/OutputNames.h"
#include "icon_generator/ToolRunner.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/ProgramFolder.h"
#include "platform/TextCodec.h"
#include "textures/ContainerFormat.h"
#include "textures/TextureContainers.h"
#include "tools/Lz77.h"

namespace icon_generator {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ByteView;

namespace {

constexpr const char* COMPRESSOR_MISSING = "gbalzss not found! You need to compress LZ77_banner.tpl !";

// The kinds of file the generator writes; a file of another kind at an output's name is not
// written over.
enum class Kind { Tpl, CompressedTpl, Wte };

bool startsWith(ByteView bytes, std::span<const std::uint8_t> magic)
{
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

// Nothing when the file at path is absent or of the kind; else why it is left alone.
std::optional<std::string> kindProblem(const fs::path& path, Kind kind)
{
    if (!platform::fileExists(path))
        return std::nullopt;
    const auto bytes = platform::readFile(path);
    if (!bytes)
        return bytes.error().message;
    bool ok = false;
    switch (kind) {
    case Kind::Tpl:
        ok = startsWith(*bytes, textures::TPL_MAGIC_BYTES);
        break;
    case Kind::CompressedTpl: {
        const auto unpacked = tools::decompressLz77(*bytes);
        ok = startsWith(*bytes, textures::TPL_MAGIC_BYTES) ||
             (unpacked && startsWith(*unpacked, textures::TPL_MAGIC_BYTES));
        break;
    }
    case Kind::Wte:
        ok = startsWith(*bytes, textures::WTE_MAGIC_BYTES);
        break;
    }
    if (ok)
        return std::nullopt;
    return std::string("the file there is not a ") + (kind == Kind::Wte ? "WTE" : "TPL") +
           " texture, so it was left as it is";
}

// The reason a one-image TPL cannot become a WTE of the frame's size, or nothing: the WTE carries
// no format, and the readers of WTE files take its data as one RGB5A3 image of that size.
std::optional<std::string> singleTplProblem(ByteView tpl, QSize size)
{
    const auto header = textures::imageHeaderOffset(1, 0);
    const std::uint64_t expected =
        textures::SINGLE_TPL_HEADER_SIZE + std::uint64_t(size.width()) * std::uint64_t(size.height()) * 2;
    if (tpl.size() != expected || platform::readBe16(tpl, textures::SINGLE_TPL_WIDTH) != size.width() ||
        platform::readBe16(tpl, textures::SINGLE_TPL_HEIGHT) != size.height() ||
        platform::readBe32(tpl, header + textures::TPL_IMG_FORMAT) !=
            static_cast<std::uint32_t>(textures::TexFormat::RGB5A3) ||
        platform::readBe32(tpl, header + textures::TPL_IMG_DATA_OFFSET) != textures::SINGLE_TPL_HEADER_SIZE)
        return std::string(SINGLE_SCRIPT) + " did not give one " + std::to_string(size.width()) + " x " +
               std::to_string(size.height()) + " RGB5A3 image with its data at 64";
    return std::nullopt;
}

class GenerationRun
{
public:
    GenerationRun(const GenerationRequest& request, platform::MessageSink& sink)
        : m_req(request), m_sink(sink), m_tools(request.programFolder, sink)
    {
    }

    GenerationReport run()
    {
        if (m_req.saveData)
            saveData();
        if (m_req.channelPicture)
            channel(CHANNEL_PICTURE_SIZE, CHANNEL_PICTURE_SCRATCH, CHANNEL_PICTURE_SCRIPT, CHANNEL_PICTURE_FILE);
        if (m_req.channelIcon)
            channel(CHANNEL_ICON_SIZE, CHANNEL_ICON_SCRATCH, CHANNEL_ICON_SCRIPT, CHANNEL_ICON_FILE);
        return std::move(m_report);
    }

private:
    fs::path target(std::string_view name) const
    {
        return platform::resolvePathText(m_req.prefix + platform::utf16FromUtf8(name), m_req.programFolder);
    }

    // An output as messages name it: the prefix as typed, then the name.
    std::string shown(std::string_view name) const { return platform::utf8FromUtf16(m_req.prefix) + std::string(name); }

    void addLine(const std::string& line, bool saveLine)
    {
        if (saveLine)
            m_report.messageText = line;
        else
            m_report.messageText += "\r\n" + line;
    }

    void succeeded(const std::vector<std::string>& names, const std::string& line, bool saveLine)
    {
        for (const auto& name : names)
            m_report.written.push_back(platform::utf16FromUtf8(shown(name)));
        addLine(line, saveLine);
    }

    void failed(const std::string& what, const std::string& reason, bool saveLine, bool several = false)
    {
        const std::string line = what + (several ? " were" : " was") + " not written: " + reason + ".";
        m_report.failures.push_back(line);
        addLine(line, saveLine);
    }

    // Writes one output whole; false (and the failure reported) when it cannot be written.
    bool writeOutput(const std::string& name, ByteView bytes, bool saveLine)
    {
        if (auto written = platform::writeFileAtomic(target(name), bytes); !written) {
            failed(shown(name), written.error().message, saveLine);
            return false;
        }
        return true;
    }

    std::vector<std::pair<std::string, QImage>> pictures(const std::vector<ScratchPicture>& list) const
    {
        std::vector<std::pair<std::string, QImage>> out;
        for (const auto& picture : list)
            out.emplace_back(picture.name, m_req.frames[picture.frame]);
        return out;
    }

    void saveData()
    {
        const Console& console = consoleAt(m_req.consoleIndex);
        if (console.family == Family::Wte)
            return wteSet();
        const std::string name(console.saveFile);
        if (auto problem = kindProblem(target(name), console.compressed ? Kind::CompressedTpl : Kind::Tpl))
            return failed(shown(name), *problem, true);
        const bool neoGeo = console.family == Family::NeoGeo;
        auto tpl = m_tools.convert(pictures(savePictures(console.family)), neoGeo ? NEOGEO_SCRIPT : SAVE_ICON_SCRIPT,
                                   neoGeo ? textures::NEOGEO_TPL_IMAGES : textures::NES_TPL_IMAGES);
        if (!tpl)
            return failed(shown(name), tpl.error().message, true);
        if (console.compressed)
            return compressedTpl(name, *tpl);
        if (writeOutput(name, *tpl, true))
            succeeded({name}, shown(name) + (neoGeo ? " suggessfully created!" : " successfully created!"), true);
    }

    // The C-64 save banner: the converter's TPL compressed by gbalzss. Without gbalzss the
    // uncompressed TPL is written beside it for the user to compress.
    void compressedTpl(const std::string& name, ByteView tpl)
    {
        if (!m_tools.compressorPresent()) {
            m_sink.message(COMPRESSOR_MISSING);
            std::string reason = "gbalzss is not in the program folder";
            if (auto problem = kindProblem(target(UNCOMPRESSED_C64_FILE), Kind::Tpl))
                reason += "; " + shown(UNCOMPRESSED_C64_FILE) + " was not written either: " + *problem;
            else if (auto written = platform::writeFileAtomic(target(UNCOMPRESSED_C64_FILE), tpl); !written)
                reason += "; " + shown(UNCOMPRESSED_C64_FILE) + " was not written either: " + written.error().message;
            else
                reason += "; the uncompressed texture was written to " + shown(UNCOMPRESSED_C64_FILE);
            return failed(shown(name), reason, true);
        }
        auto compressed = m_tools.compress(tpl);
        if (!compressed)
            return failed(shown(name), compressed.error().message, true);
        if (!writeOutput(name, *compressed, true))
            return;
        // An uncompressed copy left by an earlier run without gbalzss is now out of date.
        if (!kindProblem(target(UNCOMPRESSED_C64_FILE), Kind::Tpl))
            (void)platform::removeIfPresent(target(UNCOMPRESSED_C64_FILE));
        succeeded({name}, shown(name) + " successfully created!", true);
    }

    void wteSet()
    {
        const std::string bannerName = bannerWteName(
            m_req.consoleIndex, [this](std::string_view name) { return platform::fileExists(target(name)); });
        const auto files = wteFiles(bannerName);
        const std::string what = shown("01.wte") + " to 06.wte and " + shown(bannerName);
        for (const auto& file : files)
            if (auto problem = kindProblem(target(file.name), Kind::Wte))
                return failed(what, shown(file.name) + ": " + *problem, true, true);

        std::map<FrameBox, Bytes> wte;
        for (const FrameBox frame :
             {FrameBox::FrameA, FrameBox::FrameB, FrameBox::Blend3, FrameBox::Blend4, FrameBox::Banner}) {
            auto tpl = m_tools.convert({{SINGLE_FRAME_SCRATCH, m_req.frames[frame]}}, SINGLE_SCRIPT, 1);
            if (!tpl)
                return failed(what, tpl.error().message, true, true);
            const QSize size = boxSize(frame);
            if (auto problem = singleTplProblem(*tpl, size))
                return failed(what, *problem, true, true);
            auto bytes = textures::wteFromTpl(*tpl, size.width(), size.height());
            if (!bytes)
                return failed(what, bytes.error().message, true, true);
            wte[frame] = std::move(bytes.value());
        }
        std::vector<platform::FileWrite> batch;
        std::vector<std::string> names;
        for (const auto& file : files) {
            batch.push_back({target(file.name), wte[file.frame]});
            names.push_back(file.name);
        }
        if (auto written = platform::writeFilesAtomic(batch); !written)
            return failed(what, written.error().message, true, true);
        succeeded(names, "WTE files successfully created!", true);
    }

    void channel(QSize size, const char* scratch, const char* script, const char* name)
    {
        if (auto problem = kindProblem(target(name), Kind::Tpl))
            return failed(shown(name), *problem, false);
        auto tpl = m_tools.convert({{scratch, resizedPicture(m_req.source, size)}}, script, 1);
        if (!tpl)
            return failed(shown(name), tpl.error().message, false);
        if (writeOutput(name, *tpl, false))
            succeeded({name}, shown(name) + " successfully created!", false);
    }

    const GenerationRequest& m_req;
    platform::MessageSink& m_sink;
    ToolRunner m_tools;
    GenerationReport m_report;
};

} // namespace

GenerationReport generate(const GenerationRequest& request, platform::MessageSink& sink)
{
    // Scratch files have fixed names: one run at a time per program folder. The runner deletes them
    // before the lock is released.
    platform::ProgramFolderLock lock(request.programFolder);
    GenerationRun run(request, sink);
    return run.run();
}

} // namespace icon_generator
