#include "injector/InjectorModel.h"

#include "injector/ExtractedTitle.h"
#include "injector/Injection.h"
#include "injector/TitleLoader.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

InjectorModel::InjectorModel(platform::MessageSink& sink, std::filesystem::path programFolder, bool commandLine)
    : m_sink(sink), m_programFolder(std::move(programFolder)), m_commandLine(commandLine)
{
}

void InjectorModel::chooseConsole(int index)
{
    m_conIndex = index;
    if (index < 0 || index >= CONSOLE_COUNT)
        return;
    const ConsoleInfo& info = consoleInfo(index);
    if (!info.source.empty())
        m_source = info.source;
    setDestination(std::u16string(info.destination));
    setTitle(ENGLISH_SLOT, std::u16string(info.englishTitle));
    chooseLanguage(ENGLISH_SLOT);
    if (!m_commandLine)
        layOutFields();
}

void InjectorModel::layOutFields()
{
    m_wteMode = false;
    chooseLanguage(m_language);
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
    loadTitles();
}

void InjectorModel::setTitle(int slot, std::u16string text)
{
    m_titles.at(static_cast<std::size_t>(slot)) = std::move(text);
    updatePreview(title(slot));
}

void InjectorModel::setEditText(std::u16string text)
{
    m_editText = std::move(text);
    updatePreview(m_editText);
}

void InjectorModel::chooseLanguage(int index)
{
    m_language = (index < 0 || index >= TITLE_SLOTS) ? 0 : index;
    setEditText(title(m_language));
}

void InjectorModel::setChosenTitle()
{
    const int slot = (m_language < 0 || m_language >= TITLE_SLOTS) ? 0 : m_language;
    setTitle(slot, m_editText);
}

void InjectorModel::setAllTitles()
{
    for (int i = 0; i < TITLE_SLOTS; ++i)
        setTitle(i, m_editText);
}

void InjectorModel::updatePreview(std::u16string_view text)
{
    m_preview = previewOf(text, m_conIndex);
}

void InjectorModel::loadTitles()
{
    const LoadedTitles loaded = injector::loadTitles(m_conIndex, m_destination, m_programFolder);
    m_editText.clear();
    for (int i = 0; i < TITLE_SLOTS; ++i)
        setTitle(i, loaded.titles[static_cast<std::size_t>(i)]);
    if (loaded.stopped)
        return;
    if (loaded.language)
        m_language = *loaded.language;
    chooseLanguage(m_language);
}

platform::Result<InjectionOutcome> InjectorModel::inject()
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
    return injector::inject(request, m_sink);
}

void InjectorModel::applyOptions(const CommandLineOptions& options)
{
    for (const auto& key : options.ignored)
        m_sink.message("Ignoring the unknown option -" + platform::utf8FromUtf16(key) + ".");
    for (const CommandLineStep& step : options.steps) {
        switch (step.kind) {
        case CommandLineStep::Kind::FirstArgument:
            // Absolute as it stands; otherwise taken in the program folder.
            if (platform::isAbsolutePathText(step.text))
                setDestination(step.text);
            else
                setDestination(platform::pathToText(m_programFolder) +
                               (platform::isProgramRelativePathText(step.text) ? step.text : u"\\" + step.text));
            break;
        case CommandLineStep::Kind::Console:
            chooseConsole(step.index);
            break;
        case CommandLineStep::Kind::Title:
            setTitle(step.index, step.text);
            break;
        case CommandLineStep::Kind::Source:
            setSource(step.text);
            break;
        case CommandLineStep::Kind::Destination:
            setDestination(step.text);
            break;
        }
    }
}

} // namespace injector
