#pragma once

// The texture editor's state as values and its actions. The window shows it: a column of preview
// boxes (one picture each, box 0 always there), the selected box, the opened and the saved path, the
// output format and the transparency choice, the files of the temporary folder.
//
// Opening a texture replaces the whole column; opening a picture replaces the selected box only, so a
// texture can be edited image by image before it is saved. A failed open or save changes nothing and
// returns the error for the window to show; the success text of a save goes to the sink.

#include <filesystem>
#include <string>
#include <vector>

#include <QImage>

#include "platform/Messages.h"
#include "platform/Result.h"
#include "texture_editor/FileKinds.h"
#include "texture_editor/WorkFolder.h"
#include "textures/ConverterScript.h"

namespace texture_editor {

class EditorModel
{
public:
    EditorModel(platform::MessageSink& sink, const std::filesystem::path& programFolder);

    platform::MessageSink& sink() { return m_sink; }
    const WorkFolder& workFolder() const { return m_work; }

    // When the window loads: makes the temporary folder.
    [[nodiscard]] platform::Result<void> start();
    // When the window closes: empties the temporary folder, passing over what cannot be deleted.
    void finish();

    // The boxes' pictures, top to bottom; a box that shows nothing holds a null picture.
    const std::vector<QImage>& pictures() const { return m_pictures; }
    int boxCount() const { return static_cast<int>(m_pictures.size()); }

    // The selected box; selecting a box that does not exist changes nothing.
    int selectedIndex() const { return m_selected; }
    void select(int index);

    // The opened and the saved file as path texts (inside the program folder in the "\" short form).
    const std::u16string& sourceText() const { return m_sourceText; }
    const std::u16string& destinationText() const { return m_destinationText; }

    textures::TextureFormat format() const { return m_format; }
    void setFormat(textures::TextureFormat format) { m_format = format; }
    bool transparency() const { return m_transparency; }
    void setTransparency(bool on) { m_transparency = on; }

    // Opens a texture into the whole column or a picture into the selected box. When the column
    // becomes shorter than the selected index, box 0 is selected.
    [[nodiscard]] platform::Result<void> open(const std::filesystem::path& path);

    // Saves every box as a TPL (a ".tpl" path) or box 0 as a bitmap, then reports the path followed by
    // " Saved!".
    [[nodiscard]] platform::Result<void> save(const std::filesystem::path& path);

    // True while a box holds a picture opened into it that no save has written yet. Opening a texture
    // starts afresh; a TPL save writes every box, a bitmap save only box 0 (so only a column of one
    // box counts as saved by it).
    bool modified() const { return m_modified; }

    // The files of the temporary folder, as its file list shows them.
    std::vector<std::string> workFiles() const { return m_work.files(); }

private:
    [[nodiscard]] platform::Result<void> openTextureFile(const std::filesystem::path& path, SourceKind kind);
    [[nodiscard]] platform::Result<void> openPicture(const std::filesystem::path& path);
    std::u16string pathText(const std::filesystem::path& path) const;

    platform::MessageSink& m_sink;
    WorkFolder m_work;
    std::vector<QImage> m_pictures{QImage()};
    int m_selected = 0;
    std::u16string m_sourceText;
    std::u16string m_destinationText;
    textures::TextureFormat m_format = textures::TextureFormat::RGB565;
    bool m_transparency = false;
    bool m_modified = false;
};

} // namespace texture_editor
