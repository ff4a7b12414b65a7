#include "textures/ConverterScript.h"

#include "platform/Files.h"

namespace textures {

namespace {
constexpr const char* CRLF = "\r\n";
}

std::string_view formatKeyword(TextureFormat format)
{
    return format == TextureFormat::RGB565 ? "RGB565" : "RGB5A3";
}

std::string scriptPathLine()
{
    return std::string("path = ") + CRLF;
}

std::string scriptPictureLines(int n, TextureFormat format, bool transparency)
{
    const std::string id = std::to_string(n);
    const std::string keyword(formatKeyword(format));
    std::string lines = "file " + id + " = " + id + ".tga" + CRLF;
    // The transparency form names the picture a second time, as the source of the alpha channel.
    if (transparency)
        lines += "Image    " + id + " =  " + id + "," + id + ", " + keyword + CRLF;
    else
        lines += "image    " + id + " =  " + id + ", , " + keyword + CRLF;
    lines += "texture " + id + "  =  " + id + ", x" + CRLF;
    return lines;
}

std::string converterScript(int count, TextureFormat format, bool transparency)
{
    std::string script = scriptPathLine();
    for (int n = 0; n < count; ++n)
        script += scriptPictureLines(n, format, transparency);
    return script;
}

platform::Result<void> writeConverterScript(const std::filesystem::path& path, int count, TextureFormat format,
                                            bool transparency)
{
    const std::string script = converterScript(count, format, transparency);
    return platform::writeFileAtomic(path, platform::bytesOf(script));
}

} // namespace textures
