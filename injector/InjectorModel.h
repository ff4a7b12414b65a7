#pragma once

// The injector's state as values (what the window's fields hold) and the operations its controls and
// its command line run. The window binds its controls to it; an unattended run drives it alone.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "injector/Consoles.h"
#include "injector/Injection.h"
#include "injector/TitlePreview.h"
#include "platform/Result.h"

namespace injector {

class InjectorModel
{
public:
    InjectorModel(std::filesystem::path programFolder, bool commandLine);

    // Fields.
    int conIndex() const { return m_conIndex; }
    const std::u16string& source() const { return m_source; }
    const std::u16string& destination() const { return m_destination; }
    const std::u16string& title(int slot) const { return m_titles.at(static_cast<std::size_t>(slot)); }
    int language() const { return m_language; }
    const std::u16string& tmpTitle() const { return m_tmpTitle; }
    const TitlePreview& preview() const { return m_preview; }
    bool wteMode() const { return m_wteMode; }
    bool commandLine() const { return m_commandLine; }
    const std::filesystem::path& programFolder() const { return m_programFolder; }
    const FileBuffers& buffers() const { return m_buffers; }

    // The console list: fills the console's defaults (the destination loads its titles), puts the
    // English default into slot 1 and chooses "EN"; in a window run also lays out the fields.
    void cmbCon_Click(int index);
    // A command-line code; an unknown code chooses console 0 and returns false.
    bool setConsole(std::string_view conName);
    // Resets wteMode, refreshes the editing box and sets wteMode for the WTE consoles.
    void SetVisual();
    // The field layout of the chosen console (all slots and a file destination before any is chosen).
    FieldLayout layout() const;

    void setSource(std::u16string text);
    // The destination box changed: loads the titles the new destination holds.
    void setDestination(std::u16string text);

    // A title box or the editing box changed; both refresh the preview.
    void setTitle(int slot, std::u16string text);
    void setTmpTitle(std::u16string text);

    // The language list: the editing box shows the chosen slot (index -1 chooses 0).
    void cmbReg_Click(int index);
    void cmdSet_Click();
    void cmdSETall_Click();

    // Fills the preview from a text.
    void SetPrev(std::u16string_view text);

    // Loads the destination's titles (slots emptied first).
    void Get_Text();

    // The Inject button: makes source and destination absolute (without reloading the titles) and
    // runs one injection; its messages go through the platform message sink.
    InjectionOutcome cmdInject2_Click();

    // Applies a command line cut into pieces (piece 0 the destination, then key-value options).
    // Fails (nothing to run) on an option the injection cannot use, such as an unknown console code.
    [[nodiscard]] platform::Result<void> ParseClo(const std::vector<std::u16string>& pieces);

private:
    std::filesystem::path m_programFolder;
    bool m_commandLine;

    int m_conIndex = NO_CONSOLE;
    std::u16string m_source;
    std::u16string m_destination;
    std::array<std::u16string, TITLE_SLOTS> m_titles;
    int m_language = -1;
    std::u16string m_tmpTitle;
    TitlePreview m_preview;
    bool m_wteMode = false;
    FileBuffers m_buffers;
};

} // namespace injector
