#pragma once

// A temporary program folder for the generator and small picture helpers, shared by its tests.

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include <QImage>

#include "platform/Bytes.h"
#include "support/TempFolder.h"
#include "tools/RgbaImage.h"

namespace mintrel_test {

namespace fs = std::filesystem;

inline QImage solid(QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// The largest difference of one colour component between a decoded texture and a picture of the
// same size (255 when the sizes differ).
inline int maxDifference(const tools::RgbaImage& decoded, const QImage& picture)
{
    if (int(decoded.width) != picture.width() || int(decoded.height) != picture.height())
        return 255;
    int worst = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t* d = decoded.at(x, y);
            const QRgb p = picture.pixel(x, y);
            worst = std::max({worst, std::abs(d[0] - qRed(p)), std::abs(d[1] - qGreen(p)), std::abs(d[2] - qBlue(p))});
        }
    return worst;
}

// A program folder with the shipped converter scripts, the built outside programs and (when asked)
// the shipped templates.
class ProgramFolder
{
public:
    explicit ProgramFolder(bool shippedTemplates = false)
    {
        const fs::path data = fs::path(SUITE_SOURCE_DIR) / "data";
        for (const auto& entry : fs::directory_iterator(data))
            if (entry.path().extension() == ".tcs")
                fs::copy_file(entry.path(), folder / entry.path().filename().string());
        if (shippedTemplates)
            fs::copy(data / "save icons", folder / "save icons");
        installTool("tpl_converter");
        installTool("gbalzss");
    }

    const fs::path& path() const { return folder.path(); }
    fs::path operator/(const std::string& name) const { return folder / name; }

    void installTool(const std::string& name) const
    {
        fs::copy_file(fs::path(SUITE_OUTPUT_DIR) / name, folder / name, fs::copy_options::overwrite_existing);
    }
    void removeTool(const std::string& name) const { fs::remove(folder / name); }

    // Writes a picture as a BMP into a template folder ("save icons" or "alt save icons").
    void writeTemplate(const std::string& templateFolder, const std::string& name, const QImage& picture) const
    {
        fs::create_directories(folder / templateFolder);
        picture.save(QString::fromStdString((folder / templateFolder / name).string()), "BMP");
    }

    // The names of the files directly in the folder, the lock file left out.
    std::set<std::string> fileNames() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            if (entry.is_regular_file() && entry.path().filename() != ".run.lock")
                names.insert(entry.path().filename().string());
        return names;
    }

    test_support::TempFolder folder;
};

// The files a fresh program folder holds: the scripts and the two programs.
inline std::set<std::string> freshFolderFiles()
{
    return {"gbalzss",    "iconvcpic.tcs", "ng_save_icon.tcs", "save_icon.tcs",
            "single.tcs", "tpl_converter", "vcpic.tcs"};
}

} // namespace mintrel_test
