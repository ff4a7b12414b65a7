#pragma once

// The injector's state as values (what the window's fields hold) and the operations its controls and
// its command line run. The window binds its controls to it; an unattended run drives it alone.
// Messages along the way go to the sink it is made with.

#include <array>
#include <filesystem>
#include <string>

#include "injector/CommandLine.h"
#include "injector/Consoles.h"
#include "injector/InjectionRequest.h"
#include "injector/TitlePreview.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace injector {

class InjectorModel
{
public:
    InjectorModel(platform::MessageSink& sink, std::filesystem::path programFolder, bool commandLine);

    // Fields.
    int conIndex() const { return m_conIndex; }
    const std::u16string& source() const { return m_source; }
    const std::u16string& destination() const { return m_destination; }
    const std::u16string& title(int slot) const { return m_titles.at(static_cast<std::size_t>(slot)); }
    int language() const { return m_language; }
    const std::u16string& editText() const { return m_editText; }
    const TitlePreview& preview() const { return m_preview; }
    bool wteMode() const { return m_wteMode; }
    bool commandLine() const { return m_commandLine; }
    const std::filesystem::path& programFolder() const { return m_programFolder; }
    platform::MessageSink& sink() const { return m_sink; }

    // Chooses a console: fills its defaults (the destination loads its titles), puts the English
    // default into slot 1 and chooses "EN"; in a window run also lays out the fields.
    void chooseConsole(int index);
    // Resets wteMode, refreshes the editing box and sets wteMode for the WTE consoles.
    void layOutFields();
    // The field layout of the chosen console (all slots and a file destination before any is chosen).
    FieldLayout layout() const;

    void setSource(std::u16string text);
    // The destination changed: loads the titles the new destination holds.
    void setDestination(std::u16string text);

    // A title or the editing box changed; both refresh the preview.
    void setTitle(int slot, std::u16string text);
    void setEditText(std::u16string text);

    // The editing box shows the chosen language's slot (index -1 chooses 0).
    void chooseLanguage(int index);
    // The editing box into the chosen language's slot, or into all seven.
    void setChosenTitle();
    void setAllTitles();

    // Loads the destination's titles (slots emptied first).
    void loadTitles();

    // Makes source and destination absolute (without reloading the titles) and runs one injection;
    // its messages and report go to the sink. On failure no file was changed.
    [[nodiscard]] platform::Result<InjectionOutcome> inject();

    // Applies a command line in the order given; unknown options are named on the sink as ignored.
    void applyOptions(const CommandLineOptions& options);

private:
    void updatePreview(std::u16string_view text);

    platform::MessageSink& m_sink;
    std::filesystem::path m_programFolder;
    bool m_commandLine;

    int m_conIndex = NO_CONSOLE;
    std::u16string m_source;
    std::u16string m_destination;
    std::array<std::u16string, TITLE_SLOTS> m_titles;
    int m_language = -1;
    std::u16string m_editText;
    TitlePreview m_preview;
    bool m_wteMode = false;
};

} // namespace injector
