#pragma once

// Builders for the editor's tests: a program folder with the outside tools and header templates, and
// textures in every container the editor opens, image i filled with imageColour(i) so a test can
// tell which image landed in which box.

#include <filesystem>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>

#include "platform/Bytes.h"
#include "support/TempFolder.h"

namespace texture_editor_test {

// Eight corners of the colour cube, then dark red: each survives RGB565 and RGB5A3 unchanged.
QColor imageColour(std::size_t i);

struct Shape
{
    int width;
    int height;
    bool operator==(const Shape&) const = default;
};
std::vector<Shape> shapesOf(const std::vector<QImage>& pictures);

// A TPL of opaque RGB5A3 images of these shapes.
platform::Bytes tplOf(const std::vector<Shape>& shapes);
// The save set: the 192x64 banner and iconCount 48x48 icons.
std::vector<Shape> saveSetShapes(int iconCount);
// A save banner (banner.bin): a 160-byte "WIBN" head, then the save set's texture data.
platform::Bytes saveBannerOf(int iconCount);
// A WTE of one image.
platform::Bytes wteOf(Shape shape);
// An NES title executable holding the five-image save TPL between code.
platform::Bytes nesAppOf();
// The bytes LZ77-compressed, with or without the "LZ77" magic in front.
platform::Bytes lz77Of(const platform::Bytes& plain, bool withMagic);

// A picture and its file in a Qt format ("BMP", "PNG").
QImage solidPicture(int width, int height, QColor colour);
platform::Bytes pictureFile(const QImage& picture, const char* format);

// A program folder as the build lays it out for Pexmo: tpl_viewer, tpl_converter, gbalzss and the
// header templates.
class ProgramFolder : public test_support::TempFolder
{
public:
    ProgramFolder();
    // Puts a shell script in place of a tool ("tpl_converter", ...).
    void replaceTool(const std::string& name, const std::string& script) const;
};

} // namespace texture_editor_test
