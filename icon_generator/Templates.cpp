#include "icon_generator/Templates.h"

#include "icon_generator/Consoles.h"
#include "platform/Files.h"
#include "textures/ImageAdapter.h"

namespace icon_generator {
namespace fs = std::filesystem;

namespace {

std::optional<QImage> loadPicture(const fs::path& path)
{
    auto picture = textures::LoadImage(path);
    if (!picture)
        return std::nullopt;
    return std::move(picture.value());
}

} // namespace

std::string templateFileName(std::string_view code, int number)
{
    return std::string(code) + std::to_string(number) + ".bmp";
}

fs::path templateFolder(const fs::path& programFolder, std::string_view code, bool alternate)
{
    const fs::path alternateFolder = programFolder / ALTERNATE_TEMPLATE_FOLDER;
    if (alternate && platform::fileExists(alternateFolder / templateFileName(code, BANNER_TEMPLATE)))
        return alternateFolder;
    return programFolder / TEMPLATE_FOLDER;
}

TemplatePictures loadTemplates(const fs::path& programFolder, int consoleIndex, bool alternate)
{
    if (consoleIndex == NO_CONSOLE)
        return {};
    const Console& console = consoleAt(consoleIndex);
    const fs::path folder = templateFolder(programFolder, console.code, alternate);
    return {loadPicture(folder / templateFileName(console.code, BANNER_TEMPLATE)),
            loadPicture(folder / templateFileName(console.code, FRAME_A_TEMPLATE)),
            loadPicture(folder / templateFileName(console.code, console.frameBTemplate))};
}

} // namespace icon_generator
