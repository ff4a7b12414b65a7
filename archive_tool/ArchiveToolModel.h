#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Messages.h"
#include "platform/Result.h"

namespace archive_tool {

// The icon a failure is shown with: the exclamation icon for the zlib results ("Compression Error"),
// the critical-error icon for everything else that stops an action.
platform::MessageIcon failureIcon(const platform::Error& error);

// The state of the archive tool's window as values, and its actions. The window binds its controls
// to this; an unattended run drives it without a window. Messages go to the platform message sink;
// success messages are shown only when the program was started without arguments.
class ArchiveToolModel
{
public:
    ArchiveToolModel(std::filesystem::path programFolder, bool startedWithArguments);

    // The archive field and the folder field.
    const std::u16string& fileText() const { return m_fileText; }
    const std::u16string& folderText() const { return m_folderText; }
    void setFileText(std::u16string text) { m_fileText = std::move(text); }
    void setFolderText(std::u16string text) { m_folderText = std::move(text); }

    // The files of the folder to pack, as the folder listing shows them, and the member order of
    // the last pack.
    const std::vector<std::string>& folderFiles() const { return m_folderFiles; }
    const std::vector<std::string>& memberOrderList() const { return m_memberOrder; }

    // Extracts the archive into the folder, rewriting both texts first (see extractionTexts). True
    // when every member was extracted.
    bool extract();

    // Packs the folder into the archive, rewriting both texts first (see packingTexts). True when the
    // archive was written.
    bool pack();

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

    std::filesystem::path m_programFolder;
    bool m_startedWithArguments;
    std::u16string m_fileText;
    std::u16string m_folderText;
    std::vector<std::string> m_folderFiles;
    std::vector<std::string> m_memberOrder;
};

} // namespace archive_tool
