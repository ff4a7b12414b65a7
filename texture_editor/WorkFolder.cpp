#include "texture_editor/WorkFolder.h"

#include "platform/Files.h"
#include "platform/PathText.h"
#include "textures/TextureContainers.h"

namespace texture_editor {
namespace fs = std::filesystem;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

WorkFolder::WorkFolder(const fs::path& programFolder)
    // The container readers leave their TPL in this folder, so their path names it.
    : m_programFolder(programFolder), m_path(textures::tempTplPath(programFolder).parent_path())
{
}

Result<void> WorkFolder::create() const
{
    return platform::createFolders(m_path);
}

Result<void> WorkFolder::empty() const
{
    if (auto made = create(); !made)
        return made.error();
    std::error_code ec;
    const fs::path folder = platform::findExisting(m_path);
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_directory(ec))
            doomed.push_back(it->path());
    if (ec)
        return makeError(ErrorKind::ReadFailed,
                         "Cannot list the temporary folder " + platform::quoted(folder) + ": " + ec.message());
    for (const auto& file : doomed)
        if (!fs::remove(file, ec) && ec)
            return makeError(ErrorKind::WriteFailed, "Cannot empty the temporary folder " + platform::quoted(folder) +
                                                         ": " + platform::quoted(file) + " stays (" + ec.message() +
                                                         ").");
    return {};
}

std::vector<std::string> WorkFolder::files(std::string_view pattern) const
{
    return platform::listFolder(platform::findExisting(m_path), pattern);
}

WorkStep::WorkStep(const WorkFolder& folder) : m_lock(folder.programFolder()), m_ready(folder.empty()) {}

} // namespace texture_editor
