#pragma once

// The generator's state as values (the selected console, the alternate-templates box, the source and
// destination texts, the three output boxes, the five frame boxes, the source picture, the preview
// step) and its operations. The window binds its controls to it; an unattended run drives it without
// a window. Messages go to the sink it is given.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include <QImage>

#include "icon_generator/CommandLine.h"
#include "icon_generator/FrameComposer.h"
#include "icon_generator/Generation.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace icon_generator {

// The preview cycle: the frame shown at each of the eight steps.
inline constexpr std::array<FrameBox, 8> PREVIEW_CYCLE{FrameBox::FrameA, FrameBox::Blend3, FrameBox::Blend4,
                                                       FrameBox::FrameB, FrameBox::FrameB, FrameBox::Blend4,
                                                       FrameBox::Blend3, FrameBox::Blend3};

// The title of the destination folder picker.
inline constexpr const char16_t* DESTINATION_PICKER_TITLE = u"Navigate to the Folder Where the Icon Images go.";

class GeneratorModel
{
public:
    // commandLineRun: the run was started with arguments; success texts and the final message are
    // then not shown, and each output that was not written is reported on a line of its own.
    GeneratorModel(platform::MessageSink& sink, std::filesystem::path programFolder, bool commandLineRun);

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    platform::MessageSink& sink() { return m_sink; }

    // ---- Console and templates ----
    int consoleIndex() const { return m_console; }
    // Selects a console (NO_CONSOLE for none) and loads its templates: the blend boxes are emptied,
    // and a template that cannot be loaded leaves its box as it was.
    void selectConsole(int index);
    // Selects the console of a code (exact letter case); any other text selects NeoGeo.
    void setSys(std::u16string_view code);
    bool alternate() const { return m_alternate; }
    // Ticks or clears "Use Alternate Imgs." and reloads the current console's templates.
    void setAlternate(bool alternate);

    // ---- Source and destination ----
    const std::u16string& sourceText() const { return m_sourceText; }
    const std::u16string& destinationText() const { return m_destinationText; }
    // A new source text loads the picture it names (empty when it cannot be loaded).
    void setSourceText(std::u16string text);
    void setDestinationText(std::u16string text) { m_destinationText = std::move(text); }
    const QImage& sourcePicture() const { return m_source; }

    // A picture chosen in the open dialog (or dropped): its path, in short form inside the program folder.
    void sourceChosen(const std::filesystem::path& path);
    // Where the folder picker starts: the destination text (program folder put in front of a leading
    // "\"), or the current folder when the text is empty.
    std::u16string destinationPickerStart() const;
    // The picker's answer ("" when cancelled, which empties the destination): a new folder gets a
    // trailing "\" and is written in short form inside the program folder.
    void destinationChosen(const std::u16string& chosen);

    // ---- Outputs ----
    bool makeSaveData() const { return m_saveData; }
    bool makeChannelPicture() const { return m_channelPicture; }
    bool makeChannelIcon() const { return m_channelIcon; }
    void setOutputs(bool saveData, bool channelPicture, bool channelIcon);

    // ---- Frames and preview ----
    const Frames& frames() const { return m_frames; }
    // Fills the destination from the source when it is empty, makes both texts absolute and composes
    // the frames; writes nothing.
    void makePreview();
    // The frame the preview shows now, then one step on.
    const QImage& previewTick();
    int previewStep() const { return m_previewStep; }

    // Saves a frame box (or, for nothing, the source picture) as a BMP in the program folder:
    // banner 1.bmp, frame A 2.bmp, blends 3.bmp and 4.bmp, frame B 5.bmp, source test.bmp.
    [[nodiscard]] platform::Result<std::filesystem::path> exportFrame(std::optional<FrameBox> box);

    // The command line's choices, as its switches set the window's controls: the alternate box, the
    // console, the source, the destination and the outputs.
    void apply(const CommandLineOptions& options);

    // ---- Make ----
    // The whole run: paths prepared as for the preview, the source loaded (a source that cannot be read
    // stops the run before anything is written), the frames composed when the save data is made, then
    // the generation. A window run shows the final message; a command-line run reports each output
    // that was not written. An error is a run that stopped before writing anything.
    [[nodiscard]] platform::Result<GenerationReport> make();

private:
    [[nodiscard]] platform::Result<void> preparePaths();
    void reloadTemplates();
    std::filesystem::path resolve(std::u16string_view text) const;

    std::filesystem::path m_programFolder;
    platform::MessageSink& m_sink;
    bool m_commandLineRun;
    int m_console = NO_CONSOLE;
    bool m_alternate = false;
    std::u16string m_sourceText;
    std::u16string m_destinationText;
    QImage m_source;
    bool m_saveData = true;
    bool m_channelPicture = true;
    bool m_channelIcon = true;
    Frames m_frames;
    int m_previewStep = 0;
};

} // namespace icon_generator
