#pragma once

// Builders for the editor's tests: program folders with the outside tools and header templates, and
// textures in every container the editor opens, each image filled with its own colour so a test can
// tell which image landed in which box.

#include <filesystem>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>

#include "platform/Bytes.h"
#include "support/TempFolder.h"

namespace texture_editor_test {

// The colour of image i: eight corners of the colour cube, then dark red; every one survives RGB565
// and RGB5A3 unchanged.
QColor imageColour(std::size_t i);

struct Shape
{
    int width;
    int height;
};

// A TPL whose image i has the shape and imageColour(i) (RGB5A3, opaque).
platform::Bytes tplOf(const std::vector<Shape>& shapes);

// The save set: the 192x64 banner and iconCount 48x48 icons.
std::vector<Shape> saveSetShapes(int iconCount);

// A save banner (banner.bin): "WIBN" head of 160 bytes, then the save set's texture data.
platform::Bytes saveBannerOf(int iconCount);

// A WTE of one image of that shape.
platform::Bytes wteOf(Shape shape);

// An NES title executable: code, the five-image save TPL, more code.
platform::Bytes nesAppOf();

// The bytes LZ77-compressed, with or without the "LZ77" magic in front.
platform::Bytes lz77Of(const platform::Bytes& plain, bool withMagic);

// A picture file's bytes in a Qt format ("BMP", "PNG").
platform::Bytes pictureFile(const QImage& picture, const char* format);
QImage solidPicture(int width, int height, QColor colour);

// A program folder as the build lays it out for Pexmo: tpl_viewer, tpl_converter, gbalzss and the
// header templates; tools can be left out or replaced by scripts.
class ProgramFolder : public test_support::TempFolder
{
public:
    explicit ProgramFolder(bool withTools = true);
    // Puts a shell script in place of a tool ("tpl_converter", ...).
    void replaceTool(const std::string& name, const std::string& script) const;
    std::filesystem::path workFolder() const { return path() / "temp"; }
};

// The shapes and colours of the pictures, for comparing with what was expected.
std::vector<Shape> shapesOf(const std::vector<QImage>& pictures);
bool operator==(const Shape& a, const Shape& b);

} // namespace texture_editor_test
