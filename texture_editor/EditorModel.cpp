#include "texture_editor/EditorModel.h"

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"
#include "texture_editor/TextureOpener.h"
#include "texture_editor/TextureSaver.h"
#include "textures/ImageAdapter.h"

namespace texture_editor {
namespace fs = std::filesystem;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

// A texture in the temporary folder would be deleted by the very open that is to read it.
bool insideFolder(const fs::path& file, const fs::path& folder)
{
    std::error_code ec;
    return fs::equivalent(platform::findExisting(file).parent_path(), platform::findExisting(folder), ec);
}

} // namespace

EditorModel::EditorModel(platform::MessageSink& sink, const fs::path& programFolder)
    : m_sink(sink), m_work(programFolder)
{
}

Result<void> EditorModel::start()
{
    return m_work.create();
}

void EditorModel::finish()
{
    WorkStep emptied(m_work);
}

void EditorModel::select(int index)
{
    if (index >= 0 && index < boxCount())
        m_selected = index;
}

std::u16string EditorModel::pathText(const fs::path& path) const
{
    return platform::displayPathText(path, m_work.programFolder());
}

Result<void> EditorModel::open(const fs::path& path)
{
    const SourceKind kind = sourceKindOf(path);
    auto opened = kind == SourceKind::Picture ? openPicture(path) : openTextureFile(path, kind);
    if (opened)
        m_sourceText = pathText(path);
    return opened;
}

Result<void> EditorModel::openTextureFile(const fs::path& path, SourceKind kind)
{
    if (insideFolder(path, m_work.path()))
        return makeError(ErrorKind::BadArgument, "Cannot open " + platform::quoted(path) +
                                                     ": it lies in the temporary folder, which every open empties. "
                                                     "Copy it elsewhere first.");
    WorkStep step(m_work);
    if (!step.ready())
        return step.ready().error();
    auto pictures = openTexture(m_work, path, kind);
    if (!pictures)
        return pictures.error();
    m_pictures = std::move(*pictures);
    if (m_selected >= boxCount())
        m_selected = 0;
    m_modified = false;
    return {};
}

Result<void> EditorModel::openPicture(const fs::path& path)
{
    auto picture = textures::LoadImage(platform::findExisting(path));
    if (!picture)
        return picture.error();
    m_pictures[static_cast<std::size_t>(m_selected)] = std::move(*picture);
    m_modified = true;
    return {};
}

Result<void> EditorModel::save(const fs::path& path)
{
    const SaveKind kind = saveKindOf(path);
    if (auto target = checkTarget(path, kind); !target)
        return target.error();
    if (kind == SaveKind::Tpl) {
        WorkStep step(m_work);
        if (!step.ready())
            return step.ready().error();
        if (auto saved = saveTpl(m_work, m_pictures, path, m_format, m_transparency); !saved)
            return saved.error();
    } else if (auto saved = saveBitmap(m_pictures.front(), path); !saved) {
        return saved.error();
    }
    m_destinationText = pathText(path);
    if (kind == SaveKind::Tpl || boxCount() == 1)
        m_modified = false;
    m_sink.message(platform::utf8FromUtf16(m_destinationText) + " Saved!");
    return {};
}

} // namespace texture_editor
