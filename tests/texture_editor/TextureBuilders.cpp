#include "TextureBuilders.h"

#include <QBuffer>

#include "support/ProgramRun.h"
#include "textures/ContainerFormat.h"
#include "tools/Lz77.h"
#include "tools/TplFile.h"

namespace texture_editor_test {
namespace fs = std::filesystem;
using platform::Bytes;

QColor imageColour(std::size_t i)
{
    if (i >= 8)
        return QColor(132, 0, 0);
    return QColor(i & 1 ? 255 : 0, i & 2 ? 255 : 0, i & 4 ? 255 : 0);
}

Bytes tplOf(const std::vector<Shape>& shapes)
{
    std::vector<tools::EncodedImage> images;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        tools::RgbaImage image(static_cast<std::uint32_t>(shapes[i].width),
                               static_cast<std::uint32_t>(shapes[i].height));
        const QColor c = imageColour(i);
        for (std::size_t p = 0; p < image.pixels.size(); p += 4) {
            image.pixels[p] = static_cast<std::uint8_t>(c.red());
            image.pixels[p + 1] = static_cast<std::uint8_t>(c.green());
            image.pixels[p + 2] = static_cast<std::uint8_t>(c.blue());
            image.pixels[p + 3] = 255;
        }
        images.push_back(tools::encodeImage(image, tools::TexFormat::RGB5A3).value());
    }
    return tools::writeTpl(images);
}

std::vector<Shape> saveSetShapes(int iconCount)
{
    std::vector<Shape> shapes{{192, 64}};
    shapes.insert(shapes.end(), static_cast<std::size_t>(iconCount), Shape{48, 48});
    return shapes;
}

Bytes saveBannerOf(int iconCount)
{
    const Bytes tpl = tplOf(saveSetShapes(iconCount));
    Bytes banner(textures::NEOGEO_TEXTURE_OFFSET, 0);
    std::copy(textures::SAVE_BANNER_MAGIC.begin(), textures::SAVE_BANNER_MAGIC.end(), banner.begin());
    banner.insert(banner.end(), tpl.begin() + textures::firstDataOffset(1 + iconCount), tpl.end());
    return banner;
}

Bytes wteOf(Shape shape)
{
    const Bytes tpl = tplOf({shape});
    Bytes wte(textures::WTE_HEADER_SIZE, 0);
    std::copy(textures::WTE_MAGIC_BYTES.begin(), textures::WTE_MAGIC_BYTES.end(), wte.begin());
    wte[textures::WTE_WIDTH] = static_cast<std::uint8_t>(shape.width);
    wte[textures::WTE_HEIGHT] = static_cast<std::uint8_t>(shape.height);
    wte.insert(wte.end(), tpl.begin() + textures::SINGLE_TPL_HEADER_SIZE, tpl.end());
    return wte;
}

Bytes nesAppOf()
{
    const Bytes tpl = tplOf(saveSetShapes(4));
    Bytes app(5000, 0x4E);
    app.insert(app.end(), tpl.begin(), tpl.end());
    app.resize(app.size() + 3000, 0x4E);
    return app;
}

Bytes lz77Of(const Bytes& plain, bool withMagic)
{
    Bytes packed = tools::compressLz77(plain).value();
    if (withMagic)
        packed.insert(packed.begin(), tools::LZ77_MAGIC.begin(), tools::LZ77_MAGIC.end());
    return packed;
}

Bytes pictureFile(const QImage& picture, const char* format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return Bytes(buffer.data().begin(), buffer.data().end());
}

QImage solidPicture(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

ProgramFolder::ProgramFolder()
{
    for (const char* tool : {"tpl_viewer", "tpl_converter", "gbalzss"})
        test_support::installProgram(tool, path());
    const fs::path headers = fs::path(SUITE_SOURCE_DIR) / "data" / "headers";
    for (const char* name : {"single.hdr", "neogeo.hdr"})
        write(std::string("headers/") + name, test_support::readAll(headers / name));
}

void ProgramFolder::replaceTool(const std::string& name, const std::string& script) const
{
    const fs::path tool = write(name, "#!/bin/sh\n" + script + "\n");
    fs::permissions(tool, fs::perms::owner_all);
}

std::vector<Shape> shapesOf(const std::vector<QImage>& pictures)
{
    std::vector<Shape> shapes;
    for (const auto& picture : pictures)
        shapes.push_back({picture.width(), picture.height()});
    return shapes;
}

} // namespace texture_editor_test
