#include "texture_editor/OutsideTools.h"

#include "platform/Messages.h"
#include "textures/TextureTools.h"

namespace texture_editor {
namespace fs = std::filesystem;
using platform::Result;

namespace {

// ShellAndWait shows a start failure through its sink and returns the same text as the error; the
// editor shows the error once, as part of its own message.
class QuietSink : public platform::MessageSink
{
public:
    void show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

template <typename Run> Result<int> runTool(const WorkFolder& work, std::string_view tool, Run run)
{
    if (auto copied = textures::copyToolInto(work.programFolder(), tool, work.path()); !copied)
        return copied.error();
    QuietSink quiet;
    return run(quiet);
}

} // namespace

Result<int> runViewer(const WorkFolder& work, const fs::path& tplPath)
{
    return runTool(work, textures::VIEWER_PROGRAM,
                   [&](platform::MessageSink& sink) { return textures::RunViewer(sink, tplPath, work.path()); });
}

Result<int> runDecompressor(const WorkFolder& work, const fs::path& input, const fs::path& output)
{
    return runTool(work, textures::LZ77_PROGRAM, [&](platform::MessageSink& sink) {
        return textures::RunDecompressor(sink, input, output, work.path());
    });
}

Result<int> runConverter(const WorkFolder& work, std::string_view script, const fs::path& tplPath)
{
    return runTool(work, textures::CONVERTER_PROGRAM,
                   [&](platform::MessageSink& sink) { return textures::MakeTpl(sink, tplPath, script, work.path()); });
}

} // namespace texture_editor
