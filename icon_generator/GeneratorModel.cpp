#include "icon_generator/GeneratorModel.h"

#include "icon_generator/FrameExport.h"
#include "icon_generator/Templates.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"
#include "textures/ImageAdapter.h"

namespace icon_generator {
namespace fs = std::filesystem;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

// The destination made from the source when none is given: the source without its last four
// characters (a three-letter extension and its dot).
constexpr std::size_t EXTENSION_LENGTH = 4;

std::string utf8(std::u16string_view text)
{
    return platform::utf8FromUtf16(text);
}

} // namespace

GeneratorModel::GeneratorModel(platform::MessageSink& sink, fs::path programFolder, bool commandLineRun)
    : m_programFolder(std::move(programFolder)), m_sink(sink), m_commandLineRun(commandLineRun)
{
}

fs::path GeneratorModel::resolve(std::u16string_view text) const
{
    return platform::resolvePathText(text, m_programFolder);
}

void GeneratorModel::reloadTemplates()
{
    m_frames.blend3 = {};
    m_frames.blend4 = {};
    auto templates = loadTemplates(m_programFolder, m_console, m_alternate);
    if (templates.banner)
        m_frames.banner = std::move(*templates.banner);
    if (templates.frameA)
        m_frames.frameA = std::move(*templates.frameA);
    if (templates.frameB)
        m_frames.frameB = std::move(*templates.frameB);
}

void GeneratorModel::selectConsole(int index)
{
    m_console = index < 0 || index >= static_cast<int>(consoles().size()) ? NO_CONSOLE : index;
    reloadTemplates();
}

void GeneratorModel::setSys(std::u16string_view code)
{
    selectConsole(setSysIndex(code));
}

void GeneratorModel::setAlternate(bool alternate)
{
    m_alternate = alternate;
    reloadTemplates();
}

void GeneratorModel::setSourceText(std::u16string text)
{
    m_sourceText = std::move(text);
    m_source = {};
    if (platform::trimSpaces(m_sourceText).empty())
        return;
    if (auto picture = textures::LoadImage(resolve(m_sourceText)))
        m_source = std::move(picture.value());
}

void GeneratorModel::sourceChosen(const fs::path& path)
{
    setSourceText(platform::displayPathText(path, m_programFolder));
}

std::u16string GeneratorModel::destinationPickerStart() const
{
    if (m_destinationText.empty()) {
        std::error_code ec;
        return platform::pathToText(fs::current_path(ec)) + u"/";
    }
    if (platform::isProgramRelativePathText(m_destinationText))
        return platform::pathToText(m_programFolder) + m_destinationText;
    return m_destinationText;
}

void GeneratorModel::destinationChosen(const std::u16string& chosen)
{
    const bool other = !chosen.empty() && chosen != m_destinationText;
    m_destinationText = chosen;
    if (!other)
        return;
    std::u16string text = platform::displayPathText(platform::textToPath(chosen), m_programFolder);
    if (!platform::isPathSeparator(text.back()))
        text += u'\\';
    m_destinationText = text;
}

void GeneratorModel::setOutputs(bool saveData, bool channelPicture, bool channelIcon)
{
    m_saveData = saveData;
    m_channelPicture = channelPicture;
    m_channelIcon = channelIcon;
}

Result<void> GeneratorModel::preparePaths()
{
    Result<void> outcome;
    if (m_destinationText.empty()) {
        if (m_sourceText.size() < EXTENSION_LENGTH)
            outcome = makeError(ErrorKind::BadArgument,
                                "There is no destination, and the source path \"" + utf8(m_sourceText) +
                                    "\" is too short to make one from: choose the folder where the textures go.");
        else
            m_destinationText = m_sourceText.substr(0, m_sourceText.size() - EXTENSION_LENGTH);
    }
    // The texts change form only: the source picture already loaded stays the same file's.
    const std::u16string folderText = platform::pathToText(m_programFolder);
    if (platform::isProgramRelativePathText(m_sourceText))
        m_sourceText = folderText + m_sourceText;
    if (platform::isProgramRelativePathText(m_destinationText))
        m_destinationText = folderText + m_destinationText;
    return outcome;
}

void GeneratorModel::makePreview()
{
    // A destination that cannot be formed matters only to a run that writes.
    (void)preparePaths();
    ComposeFrames(m_frames, m_source, m_console);
}

const QImage& GeneratorModel::previewTick()
{
    const QImage& shown = m_frames[PREVIEW_CYCLE[static_cast<std::size_t>(m_previewStep)]];
    m_previewStep = (m_previewStep + 1) % static_cast<int>(PREVIEW_CYCLE.size());
    return shown;
}

Result<fs::path> GeneratorModel::exportFrame(std::optional<FrameBox> box)
{
    const fs::path path = m_programFolder / exportFileName(box);
    if (!box)
        return saveFrameBitmap(m_source, path);
    // The box's drawing is committed first, so the file has the box's size whatever picture it holds.
    QImage& frame = m_frames[*box];
    if (!frame.isNull())
        frame = paintedBox(frame, boxSize(*box), {}, std::nullopt);
    return saveFrameBitmap(frame, path);
}

void GeneratorModel::apply(const CommandLineOptions& options)
{
    m_alternate = options.alternate;
    if (options.system)
        setSys(*options.system);
    else
        reloadTemplates();
    if (options.source)
        setSourceText(*options.source);
    if (options.destination)
        setDestinationText(*options.destination);
    setOutputs(options.saveData, options.channelPicture, options.channelIcon);
}

Result<GenerationReport> GeneratorModel::make()
{
    if (auto prepared = preparePaths(); !prepared)
        return prepared.error();
    if (platform::trimSpaces(m_sourceText).empty())
        return makeError(ErrorKind::BadArgument, "There is no source picture to make the textures from.");
    auto picture = textures::LoadImage(resolve(m_sourceText));
    if (!picture)
        return makeError(picture.error().kind,
                         "The source picture \"" + utf8(m_sourceText) +
                             "\" cannot be read, so nothing was made: " + picture.error().message);
    m_source = std::move(picture.value());
    const fs::path destinationFolder = resolve(m_destinationText + u"x").parent_path();
    if (!platform::folderExists(destinationFolder))
        return makeError(ErrorKind::NotFound,
                         "The destination folder " + platform::quoted(destinationFolder) +
                             (platform::fileExists(destinationFolder) ? " is a file" : " does not exist") +
                             ", so nothing was made.");

    if (m_saveData)
        ComposeFrames(m_frames, m_source, m_console);
    const GenerationRequest request{m_programFolder,  m_console,     m_destinationText, m_saveData,
                                    m_channelPicture, m_channelIcon, m_frames,          m_source};
    GenerationReport report = generate(request, m_sink);
    if (m_commandLineRun) {
        for (const auto& line : report.failures)
            m_sink.message(line);
    } else {
        m_sink.message(report.messageText, {},
                       report.complete() ? platform::MessageIcon::None : platform::MessageIcon::Exclamation);
    }
    return report;
}

} // namespace icon_generator
