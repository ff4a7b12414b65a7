#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "archive_tool/CcfExtractor.h"
#include "archive_tool/CcfPacker.h"
#include "archive_tool/CommandLine.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace archive_tool {

// The icon a failure is shown with: the exclamation icon for the zlib results ("Compression Error"),
// the critical-error icon for everything else that stops an action.
platform::MessageIcon failureIcon(const platform::Error& error);

// The state of the archive tool's window as values, and its actions. The window binds its controls
// to this; an unattended run drives it without a window. What an action reports along the way (each
// member it could not extract, notes on a pack, the success message) goes to the sink it was given;
// success messages only when the program was started without arguments. What stops an action is the
// Error it returns, for the caller to show.
class ArchiveToolModel
{
public:
    ArchiveToolModel(platform::MessageSink& sink, std::filesystem::path programFolder, bool startedWithArguments);

    // Where the model reports.
    platform::MessageSink& sink() const { return m_sink; }

    const std::filesystem::path& programFolder() const { return m_programFolder; }

    // The archive field and the folder field.
    const std::u16string& fileText() const { return m_fileText; }
    const std::u16string& folderText() const { return m_folderText; }
    void setFileText(std::u16string text) { m_fileText = std::move(text); }
    void setFolderText(std::u16string text) { m_folderText = std::move(text); }

    // Takes the paths a command line gives (an option not given leaves its field as it is).
    void applyOptions(const CommandLineOptions& options);

    // The files of the folder field, as the folder listing shows them (after an extraction, the
    // folder extracted into), and the member order of the last pack.
    const std::vector<std::string>& folderFiles() const { return m_folderFiles; }
    const std::vector<std::string>& memberOrderList() const { return m_memberOrder; }

    // Extracts the archive into the folder, rewriting both texts first (see extractionTexts). Each
    // member that could not be extracted is reported, then a line saying how many were; the report
    // says where the members went and which were not extracted (complete() is false then). Fails,
    // writing nothing, when either field is unusable (empty archive field, a folder that names the
    // archive itself: BadArgument) or the archive cannot be read or extracted at all.
    [[nodiscard]] platform::Result<ExtractReport> extract();

    // Packs the folder into the archive, rewriting both texts first (see packingTexts). Subfolders,
    // links to nothing and ".zlib" files stored as they are get a note each. Fails, writing no
    // archive, when the folder field is empty (BadArgument) or the folder cannot be packed.
    [[nodiscard]] platform::Result<PackReport> pack();

    // The archive a pack would write with the fields as they are (empty when the folder field is),
    // so a window can ask before an existing file is replaced.
    std::filesystem::path packTarget() const;

    // A file chosen in the open dialog: the archive text is its path (short form inside the program
    // folder), the folder text the folder it extracts into.
    void archiveChosen(const std::filesystem::path& chosen);

    // A folder chosen in the folder picker ("" when the picker was cancelled, which empties the
    // folder field): a folder other than the one the field held is written in short form ending with
    // a separator and derives the archive text; the folder's files are listed.
    void folderChosen(const std::u16string& chosen);

    // Lists the files of the folder text into folderFiles.
    void refreshFolderFiles();

private:
    std::filesystem::path resolve(const std::u16string& text) const;
    [[nodiscard]] platform::Result<void> checkDestination() const;
    void reportExtraction(const ExtractReport& report);
    void reportPack(const PackReport& report);

    std::filesystem::path m_programFolder;
    platform::MessageSink& m_sink;
    bool m_startedWithArguments;
    std::u16string m_fileText;
    std::u16string m_folderText;
    std::vector<std::string> m_folderFiles;
    std::vector<std::string> m_memberOrder;
};

} // namespace archive_tool
