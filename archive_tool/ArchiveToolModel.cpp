#include "archive_tool/ArchiveToolModel.h"

#include "archive_tool/ArchivePaths.h"
#include "archive_tool/CcfExtractor.h"
#include "archive_tool/CcfFormat.h"
#include "archive_tool/CcfPacker.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace archive_tool {
namespace {

using platform::MessageIcon;

std::string utf8(const std::u16string& text)
{
    return platform::utf8FromUtf16(text);
}

std::string joinedNames(const std::vector<std::string>& names)
{
    std::string out;
    for (const auto& name : names)
        out += (out.empty() ? "\"" : ", \"") + name + "\"";
    return out;
}

} // namespace

MessageIcon failureIcon(const platform::Error& error)
{
    return error.title == COMPRESSION_ERROR_TITLE ? MessageIcon::Exclamation : MessageIcon::Critical;
}

ArchiveToolModel::ArchiveToolModel(std::filesystem::path programFolder, bool startedWithArguments)
    : m_programFolder(std::move(programFolder)), m_startedWithArguments(startedWithArguments)
{
}

std::filesystem::path ArchiveToolModel::resolve(const std::u16string& text) const
{
    return platform::resolvePathText(text, m_programFolder);
}

bool ArchiveToolModel::extract()
{
    if (platform::trimSpaces(m_fileText).empty()) {
        platform::showMessage("Type the path of a CCF archive, or choose one with the button beside it.", {},
                              MessageIcon::Exclamation);
        return false;
    }
    const auto texts = extractionTexts(m_fileText, m_folderText);
    m_fileText = texts.file;
    m_folderText = texts.folder;
    auto report = extractArchive(resolve(m_fileText), resolve(m_folderText), utf8(m_fileText));
    if (!report) {
        platform::showError(report.error(), failureIcon(report.error()));
        return false;
    }
    for (const auto& problem : report->problems)
        platform::showError(problem, MessageIcon::Exclamation);
    if (!report->complete()) {
        platform::showMessage(utf8(m_fileText) + " was extracted with errors: " + std::to_string(report->extracted) +
                                  " of " + std::to_string(report->members) + " members were extracted.",
                              {}, MessageIcon::Exclamation);
        return false;
    }
    if (!m_startedWithArguments)
        platform::showMessage(utf8(m_fileText) + " successfully extracted!");
    return true;
}

bool ArchiveToolModel::pack()
{
    if (platform::trimSpaces(m_folderText).empty()) {
        platform::showMessage("Type the path of a folder to pack, or choose one with the button beside it.", {},
                              MessageIcon::Exclamation);
        return false;
    }
    const auto texts = packingTexts(m_fileText, m_folderText, m_programFolder);
    m_fileText = texts.file;
    m_folderText = texts.folder;
    const auto source = resolve(FixPath(m_folderText, m_programFolder));
    refreshFolderFiles();
    m_memberOrder = memberOrder(m_folderFiles);
    auto report = packFolder(source, resolve(m_fileText));
    if (!report) {
        platform::showError(report.error(), failureIcon(report.error()));
        return false;
    }
    if (!report->skippedFolders.empty())
        platform::showMessage("Subfolders are not packed (an archive holds files only), so these were skipped: " +
                                  joinedNames(report->skippedFolders) + ".",
                              {}, MessageIcon::Information);
    if (!report->storedPlain.empty())
        platform::showMessage("Stored without compression, as their compressed form is exactly as long as the "
                              "file and would read as uncompressed: " +
                                  joinedNames(report->storedPlain) + ".",
                              {}, MessageIcon::Information);
    if (!m_startedWithArguments)
        platform::showMessage(utf8(m_fileText) + " successfully created!");
    return true;
}

void ArchiveToolModel::archiveChosen(const std::filesystem::path& chosen)
{
    m_fileText = platform::displayPathText(chosen, m_programFolder);
    m_folderText = folderTextForArchive(m_fileText);
}

void ArchiveToolModel::folderChosen(const std::u16string& chosen)
{
    // The field takes the picker's answer as it is ("" when cancelled); only a folder other than the
    // one the field held is put in short form and names the archive.
    const bool other = !chosen.empty() && chosen != m_folderText;
    m_folderText = chosen;
    if (other) {
        std::u16string text = platform::displayPathText(platform::textToPath(chosen), m_programFolder);
        if (const auto at = platform::lastSeparator(text); !text.empty() && !platform::isPathSeparator(text.back()))
            text += at == std::u16string::npos ? u'\\' : text[at];
        m_fileText = archiveTextForFolder(text);
        m_folderText = text;
    }
    refreshFolderFiles();
}

void ArchiveToolModel::refreshFolderFiles()
{
    m_folderFiles.clear();
    if (!platform::trimSpaces(m_folderText).empty())
        m_folderFiles = platform::listFolder(resolve(anchoredPathText(m_folderText)), "*.*");
}

} // namespace archive_tool
