#include "Converter.h"

#include <map>
#include <string>

#include "TcsScript.h"
#include "TgaFile.h"
#include "TplFile.h"
#include "platform/Files.h"
#include "platform/PathText.h"

namespace tools {

namespace fs = std::filesystem;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

// Path texts in scripts come from a system where "\" separates folders as "/" does.
fs::path pathFromScriptText(const std::string& text)
{
    std::string s = text;
    for (char& c : s) {
        if (c == '\\')
            c = '/';
    }
    return fs::path(s);
}

class PictureCache
{
public:
    PictureCache(const Script& script, fs::path folder, std::string scriptName)
        : m_script(script), m_folder(std::move(folder)), m_scriptName(std::move(scriptName))
    {
    }

    Result<const TgaPicture*> get(std::uint32_t fileNumber)
    {
        if (auto it = m_pictures.find(fileNumber); it != m_pictures.end())
            return &it->second;
        const ScriptFile& file = m_script.files.at(fileNumber);
        const fs::path path = platform::findExisting(m_folder / pathFromScriptText(file.name));
        const std::string line = m_scriptName + " line " + std::to_string(file.line) + ": ";
        auto bytes = platform::readFile(path);
        if (!bytes && bytes.error().kind == ErrorKind::NotFound)
            return makeError(ErrorKind::NotFound, line + "picture " + platform::quoted(path) + " was not found");
        if (!bytes)
            return makeError(bytes.error().kind, line + bytes.error().message);
        auto picture = readTga(*bytes);
        if (!picture)
            return makeError(ErrorKind::BadFormat,
                             line + "picture " + platform::quoted(path) + " is " + picture.error().message);
        return &m_pictures.emplace(fileNumber, std::move(*picture)).first->second;
    }

private:
    const Script& m_script;
    fs::path m_folder;
    std::string m_scriptName;
    std::map<std::uint32_t, TgaPicture> m_pictures;
};

// The picture an image line describes: colour from one file, alpha from another (its alpha channel,
// or its grey level when it has none) or fully opaque when no alpha file is named.
Result<RgbaImage> composeImage(const ScriptImage& image, PictureCache& pictures, const std::string& scriptName)
{
    auto colour = pictures.get(image.colourFile);
    if (!colour)
        return colour.error();
    RgbaImage result = (*colour)->image;
    const std::string where = scriptName + " line " + std::to_string(image.line) + ": ";
    if (result.width > TPL_MAX_DIMENSION || result.height > TPL_MAX_DIMENSION)
        return makeError(ErrorKind::BadArgument, where + "picture of file " + std::to_string(image.colourFile) +
                                                     " is " + std::to_string(result.width) + "x" +
                                                     std::to_string(result.height) +
                                                     " pixels; a texture is at most 1024x1024");
    if (!image.alphaFile) {
        for (std::size_t i = 3; i < result.pixels.size(); i += 4)
            result.pixels[i] = 255;
        return result;
    }
    auto alpha = pictures.get(*image.alphaFile);
    if (!alpha)
        return alpha.error();
    const RgbaImage& mask = (*alpha)->image;
    if (mask.width != result.width || mask.height != result.height)
        return makeError(ErrorKind::BadArgument,
                         where + "alpha picture (file " + std::to_string(*image.alphaFile) + ") is " +
                             std::to_string(mask.width) + "x" + std::to_string(mask.height) + ", the colour picture " +
                             std::to_string(result.width) + "x" + std::to_string(result.height));
    const bool fromAlpha = (*alpha)->hasAlpha;
    for (std::size_t i = 0; i < result.pixels.size(); i += 4) {
        const std::uint8_t* m = &mask.pixels[i];
        result.pixels[i + 3] = fromAlpha ? m[3] : intensityOf(m[0], m[1], m[2]);
    }
    return result;
}

} // namespace

Result<void> convertScript(const fs::path& scriptPath, const fs::path& outputPath, const fs::path& currentFolder)
{
    const fs::path scriptFile =
        platform::findExisting(scriptPath.is_absolute() ? scriptPath : currentFolder / scriptPath);
    auto text = platform::readFile(scriptFile);
    if (!text && text.error().kind == ErrorKind::NotFound)
        return makeError(ErrorKind::NotFound, "The script " + platform::quoted(scriptFile) + " was not found.");
    if (!text)
        return text.error();
    const std::string scriptName = scriptPath.filename().string();
    auto script = parseScript(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), scriptName);
    if (!script)
        return script.error();

    fs::path folder = pathFromScriptText(script->path);
    if (!folder.is_absolute())
        folder = currentFolder / folder;
    PictureCache pictures(*script, folder, scriptName);

    std::vector<EncodedImage> encoded;
    for (const auto& [number, texture] : script->textures) {
        const ScriptImage& image = script->images.at(texture.image);
        auto picture = composeImage(image, pictures, scriptName);
        if (!picture)
            return picture.error();
        auto data = encodeImage(*picture, image.format);
        if (!data)
            return makeError(data.error().kind,
                             scriptName + " line " + std::to_string(image.line) + ": " + data.error().message);
        encoded.push_back(std::move(*data));
    }
    const platform::Bytes tpl = writeTpl(encoded);
    return platform::writeFileAtomic(
        platform::pathForCreate(outputPath.is_absolute() ? outputPath : currentFolder / outputPath), tpl);
}

} // namespace tools
