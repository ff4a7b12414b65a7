#include "archive_tool/ArchiveToolModel.h"

#include "archive_tool/ArchivePaths.h"
#include "archive_tool/CcfFormat.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace archive_tool {
namespace {

namespace fs = std::filesystem;
using platform::ErrorKind;
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

ArchiveToolModel::ArchiveToolModel(platform::MessageSink& sink, std::filesystem::path programFolder,
                                   bool startedWithArguments)
    : m_programFolder(std::move(programFolder)), m_sink(sink), m_startedWithArguments(startedWithArguments)
{
}

std::filesystem::path ArchiveToolModel::resolve(const std::u16string& text) const
{
    return platform::resolvePathText(text, m_programFolder);
}

void ArchiveToolModel::applyOptions(const CommandLineOptions& options)
{
    if (!options.file.empty())
        m_fileText = options.file;
    if (!options.folder.empty())
        m_folderText = options.folder;
}

platform::Result<void> ArchiveToolModel::checkDestination() const
{
    fs::path folder = resolve(m_folderText);
    if (!folder.has_filename())
        folder = folder.parent_path();
    std::error_code ec;
    if (!fs::equivalent(resolve(m_fileText), folder, ec) || ec)
        return {};
    return platform::makeError(ErrorKind::BadArgument,
                               "Cannot extract into " + platform::quoted(folder) +
                                   ": it is the archive itself. Name another folder, or none to extract into " +
                                   utf8(extractionTexts(m_fileText, u"").folder) + ".");
}

platform::Result<ExtractReport> ArchiveToolModel::extract()
{
    if (platform::trimSpaces(m_fileText).empty())
        return platform::makeError(ErrorKind::BadArgument,
                                   "Type the path of a CCF archive, or choose one with the button beside it.");
    const auto texts = extractionTexts(m_fileText, m_folderText);
    m_fileText = texts.file;
    m_folderText = texts.folder;
    if (auto usable = checkDestination(); !usable)
        return usable.error();
    auto report = extractArchive(resolve(m_fileText), resolve(m_folderText), utf8(m_fileText));
    if (!report)
        return report.error();
    refreshFolderFiles();
    reportExtraction(report.value());
    return report;
}

void ArchiveToolModel::reportExtraction(const ExtractReport& report)
{
    for (const auto& problem : report.problems)
        m_sink.error(problem, MessageIcon::Exclamation);
    if (!report.complete())
        m_sink.message(utf8(m_fileText) + " was extracted with errors: " + std::to_string(report.extracted) + " of " +
                           std::to_string(report.members) + " members were extracted into " +
                           platform::quoted(report.folder) + ".",
                       {}, MessageIcon::Exclamation);
    else if (!m_startedWithArguments)
        m_sink.message(utf8(m_fileText) + " successfully extracted!\r\nThe files are in " +
                       platform::quoted(report.folder) + ".");
}

platform::Result<PackReport> ArchiveToolModel::pack()
{
    if (platform::trimSpaces(m_folderText).empty())
        return platform::makeError(ErrorKind::BadArgument,
                                   "Type the path of a folder to pack, or choose one with the button beside it.");
    const auto texts = packingTexts(m_fileText, m_folderText, m_programFolder);
    m_fileText = texts.file;
    m_folderText = texts.folder;
    const auto source = resolve(FixPath(m_folderText, m_programFolder));
    refreshFolderFiles();
    m_memberOrder = memberOrder(m_folderFiles);
    auto report = packFolder(source, resolve(m_fileText));
    if (!report)
        return report.error();
    reportPack(report.value());
    return report;
}

std::filesystem::path ArchiveToolModel::packTarget() const
{
    if (platform::trimSpaces(m_folderText).empty())
        return {};
    return resolve(packingTexts(m_fileText, m_folderText, m_programFolder).file);
}

void ArchiveToolModel::reportPack(const PackReport& report)
{
    if (!report.skippedFolders.empty())
        m_sink.message("Subfolders are not packed (an archive holds files only), so these were skipped: " +
                           joinedNames(report.skippedFolders) + ".",
                       {}, MessageIcon::Information);
    if (!report.brokenLinks.empty())
        m_sink.message("Links that point to nothing are not packed, so these were skipped: " +
                           joinedNames(report.brokenLinks) + ".",
                       {}, MessageIcon::Information);
    if (!report.storedPlain.empty())
        m_sink.message("Stored without compression, as their compressed form is exactly as long as the "
                       "file and would read as uncompressed: " +
                           joinedNames(report.storedPlain) + ".",
                       {}, MessageIcon::Information);
    if (!m_startedWithArguments)
        m_sink.message(utf8(m_fileText) + " successfully created!");
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
