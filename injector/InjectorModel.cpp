#include "injector/InjectorModel.h"

#include "injector/ExtractedTitle.h"
#include "injector/TitleLoader.h"
#include "platform/Messages.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

InjectorModel::InjectorModel(std::filesystem::path programFolder, bool commandLine)
    : m_programFolder(std::move(programFolder)), m_commandLine(commandLine)
{
}

void InjectorModel::cmbCon_Click(int index)
{
    m_conIndex = index;
    if (index < 0 || index >= CONSOLE_COUNT)
        return;
    const ConsoleInfo& info = consoleInfo(index);
    if (!info.source.empty())
        m_source = info.source;
    setDestination(std::u16string(info.destination));
    setTitle(ENGLISH_SLOT, std::u16string(info.englishTitle));
    cmbReg_Click(ENGLISH_SLOT);
    if (!m_commandLine)
        SetVisual();
}

bool InjectorModel::setConsole(std::string_view conName)
{
    const int index = consoleOfCode(conName);
    cmbCon_Click(index == NO_CONSOLE ? CON_NEOGEO : index);
    return index != NO_CONSOLE;
}

void InjectorModel::SetVisual()
{
    m_wteMode = false;
    cmbReg_Click(m_language);
    m_wteMode = layout().wteMode;
}

FieldLayout InjectorModel::layout() const
{
    if (m_conIndex < 0 || m_conIndex >= CONSOLE_COUNT)
        return FieldLayout{true, false, false};
    return fieldLayout(m_conIndex);
}

void InjectorModel::setSource(std::u16string text)
{
    m_source = std::move(text);
}

void InjectorModel::setDestination(std::u16string text)
{
    m_destination = std::move(text);
    Get_Text();
}

void InjectorModel::setTitle(int slot, std::u16string text)
{
    m_titles.at(static_cast<std::size_t>(slot)) = std::move(text);
    SetPrev(title(slot));
}

void InjectorModel::setTmpTitle(std::u16string text)
{
    m_tmpTitle = std::move(text);
    SetPrev(m_tmpTitle);
}

void InjectorModel::cmbReg_Click(int index)
{
    m_language = (index < 0 || index >= TITLE_SLOTS) ? 0 : index;
    setTmpTitle(title(m_language));
}

void InjectorModel::cmdSet_Click()
{
    const int slot = (m_language < 0 || m_language >= TITLE_SLOTS) ? 0 : m_language;
    setTitle(slot, m_tmpTitle);
}

void InjectorModel::cmdSETall_Click()
{
    for (int i = 0; i < TITLE_SLOTS; ++i)
        setTitle(i, m_tmpTitle);
}

void InjectorModel::SetPrev(std::u16string_view text)
{
    m_preview = injector::SetPrev(text, m_conIndex);
}

void InjectorModel::Get_Text()
{
    const LoadedTitles loaded = injector::Get_Text(m_conIndex, m_destination, m_programFolder);
    m_tmpTitle.clear();
    for (int i = 0; i < TITLE_SLOTS; ++i)
        setTitle(i, loaded.titles[static_cast<std::size_t>(i)]);
    if (loaded.stopped)
        return;
    if (loaded.language)
        m_language = *loaded.language;
    m_buffers.donorData.clear();
    m_buffers.destData.clear();
    cmbReg_Click(m_language);
}

InjectionOutcome InjectorModel::cmdInject2_Click()
{
    m_source = absoluteForm(m_source, m_programFolder);
    m_destination = absoluteForm(m_destination, m_programFolder);
    InjectionRequest request;
    request.conIndex = m_conIndex;
    request.source = m_source;
    request.destination = m_destination;
    request.titles = m_titles;
    request.programFolder = m_programFolder;
    request.commandLine = m_commandLine;
    return cmdInject2(request, m_buffers);
}

platform::Result<void> InjectorModel::ParseClo(const std::vector<std::u16string>& pieces)
{
    if (pieces.empty())
        return {};
    const std::u16string path = platform::trimSpaces(pieces[0]);
    if (!path.empty()) {
        if (platform::isAbsolutePathText(path))
            setDestination(path);
        else
            setDestination(platform::pathToText(m_programFolder) +
                           (platform::isProgramRelativePathText(path) ? path : u"\\" + path));
    }
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string& piece = pieces[i];
        const auto blank = piece.find(u' ');
        const std::u16string key = platform::asciiUpper(piece.substr(0, blank));
        std::u16string value =
            blank == std::u16string::npos ? std::u16string() : platform::trimSpaces(piece.substr(blank + 1));
        std::erase(value, u'"');

        if (key == u"C") {
            // An unknown code would run the NeoGeo branch and rebuild the destination as a banner.bin.
            if (!setConsole(platform::utf8FromUtf16(value)))
                return platform::makeError(platform::ErrorKind::BadArgument,
                                           "Unknown console code \"" + platform::utf8FromUtf16(value) +
                                               "\"; use neogeo, nes, snes, n64, gen, tg16, sms, c64 or msx.",
                                           "Invalid Command Line!");
        } else if (key == u"N" || key == u"TITLE" || key == u"EN") {
            setTitle(ENGLISH_SLOT, value);
        } else if (key == u"SRC") {
            setSource(value);
        } else if (key == u"DST") {
            setDestination(value);
        } else {
            static constexpr std::array<std::u16string_view, TITLE_SLOTS> KEYS = {u"JP", u"",   u"GE", u"FR",
                                                                                  u"SP", u"IT", u"DU"};
            bool known = false;
            for (int slot = 0; slot < TITLE_SLOTS; ++slot) {
                if (!KEYS[static_cast<std::size_t>(slot)].empty() && key == KEYS[static_cast<std::size_t>(slot)]) {
                    setTitle(slot, value);
                    known = true;
                }
            }
            if (!known && !key.empty())
                platform::showMessage("Ignoring the unknown option -" + platform::utf8FromUtf16(key) + ".");
        }
    }
    return {};
}

} // namespace injector
