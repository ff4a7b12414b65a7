// C64: the LZ77-compressed source TPL replaces 00000005_app_out\LZ77_banner.tpl beside 00000001.app;
// the English title goes into 00000001.app as two 68-byte UTF-16BE lines after the "/banner.bin"
// anchor. The file keeps its length.
#include <algorithm>
#include <vector>

#include "injector/ConsoleInjections.h"
#include "injector/ExtractedTitle.h"
#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"

namespace injector {

namespace {

// The title block: up to two UTF-16BE lines split at "^", each zero-filled to 68 bytes.
platform::Result<platform::Bytes> c64Block(std::u16string_view title)
{
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto mark = title.find(u'^', start);
        parts.emplace_back(
            title.substr(start, mark == std::u16string_view::npos ? std::u16string_view::npos : mark - start));
        if (mark == std::u16string_view::npos)
            break;
        start = mark + 1;
    }
    platform::Bytes block;
    for (std::size_t i = 0; i < 2; ++i) {
        platform::Bytes line = i < parts.size() ? Asc2Uni(parts[i]) : platform::Bytes();
        if (line.size() > C64_LINE_SIZE)
            return titleTooLong("Line " + std::to_string(i + 1) + " of the title takes " + std::to_string(line.size()) +
                                " bytes; a C-64 title line holds at most " + std::to_string(C64_LINE_SIZE) +
                                " (34 characters).");
        line.resize(C64_LINE_SIZE, 0);
        block.insert(block.end(), line.begin(), line.end());
    }
    return block;
}

} // namespace

platform::Result<void> injectC64(InjectionContext& context)
{
    auto block = c64Block(context.title(ENGLISH_SLOT));
    if (!block)
        return block.error();

    const std::u16string folder = contentFolderOf(context.destination());
    if (auto texture =
            context.replaceTexture(SourceKind::Lz77Tpl, folder + std::u16string(C64_TEXTURE_FILE), msg::NO_LZ77_TARGET,
                                   context.source() + u" Successfully Copied to " + folder +
                                       std::u16string(C64_TEXTURE_FILE) + u"!" + u"\r\n");
        !texture)
        return texture.error();

    const auto dest = context.resolve(context.destination());
    if (!platform::fileExists(dest))
        return context.destinationMissing(dest);
    auto app = platform::readFile(dest);
    if (!app)
        return app.error();
    const auto a = findC64Anchor(*app);
    if (!a || *a + C64_TITLE_FROM_ANCHOR + C64_TITLE_BLOCK > app->size())
        return errorOf(msg::NOT_A_C64_APP, platform::ErrorKind::BadFormat);
    std::copy(block->begin(), block->end(), app->begin() + static_cast<std::ptrdiff_t>(*a + C64_TITLE_FROM_ANCHOR));
    context.stage(dest, std::move(app).value());
    context.reportTitle(context.title(ENGLISH_SLOT) + u" Successfully Injected into " + context.destination() + u"!");
    return {};
}

} // namespace injector
