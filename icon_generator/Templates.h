#pragma once

// The template pictures a console's save icon is drawn on: BMP files in "save icons" (or, for the
// alternate designs, "alt save icons") in the program folder, named code + number + ".bmp":
// 1 the banner background (192 x 64), 2 the first icon frame and 5, 7 or 9 (by console) the last
// one (48 x 48).

#include <filesystem>
#include <optional>
#include <string>

#include <QImage>

namespace icon_generator {

inline constexpr const char* TEMPLATE_FOLDER = "save icons";
inline constexpr const char* ALTERNATE_TEMPLATE_FOLDER = "alt save icons";
inline constexpr int BANNER_TEMPLATE = 1;
inline constexpr int FRAME_A_TEMPLATE = 2;

// code + number + ".bmp".
std::string templateFileName(std::string_view code, int number);

// The folder the console's templates come from. Without the alternates, "save icons"; with them,
// "alt save icons" when it holds the console's banner template (code + "1.bmp"), else "save icons".
// Only the banner template is looked for: the other two are then taken from the same folder.
std::filesystem::path templateFolder(const std::filesystem::path& programFolder, std::string_view code, bool alternate);

// The three templates of a console; a picture that could not be loaded (missing or unreadable) is
// nothing, and the frame box it was meant for keeps what it holds.
struct TemplatePictures
{
    std::optional<QImage> banner;
    std::optional<QImage> frameA;
    std::optional<QImage> frameB;
};

// Loads the templates of the console at index (NO_CONSOLE loads none).
TemplatePictures loadTemplates(const std::filesystem::path& programFolder, int consoleIndex, bool alternate);

} // namespace icon_generator
