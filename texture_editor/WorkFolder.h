#pragma once

// The editor's temporary folder, "temp" under the program folder. An open or save of a texture works
// there: the copies of the outside tools, the converter script, the TPL and the pictures of one step.
// Every such step empties it first, and the editor empties it when it closes; the folder itself stays.
//
// Several editors may share one program folder. Each step therefore runs under the program-folder lock
// (platform::ProgramFolderLock, held by WorkStep) from emptying the folder until its pictures or its
// TPL have been read back into memory, so two editors never see each other's files; between steps
// the folder holds nothing an editor still needs.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ProgramFolder.h"
#include "platform/Result.h"

namespace texture_editor {

class WorkFolder
{
public:
    explicit WorkFolder(const std::filesystem::path& programFolder);

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }

    // Creates the folder when it is missing.
    [[nodiscard]] platform::Result<void> create() const;

    // Deletes every file in the folder, the temporaries of interrupted writes included; subfolders
    // are left alone. The folder is created when missing. Fails naming the first file that stays.
    [[nodiscard]] platform::Result<void> empty() const;

    // The names of the files in the folder that match pattern, sorted as a file list shows them.
    std::vector<std::string> files(std::string_view pattern = "*.*") const;

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_path;
};

// One step in the work folder: holds the program-folder lock for its lifetime and empties the folder
// when it starts. Never nest two steps in one process: the lock is not re-entrant.
class WorkStep
{
public:
    explicit WorkStep(const WorkFolder& folder);
    WorkStep(const WorkStep&) = delete;
    WorkStep& operator=(const WorkStep&) = delete;

    // The result of emptying the folder; a step that could not empty it must not go on.
    const platform::Result<void>& ready() const { return m_ready; }

private:
    platform::ProgramFolderLock m_lock;
    platform::Result<void> m_ready;
};

} // namespace texture_editor
