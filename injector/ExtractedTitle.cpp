#include "injector/ExtractedTitle.h"

#include "injector/InjectorFormats.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

std::u16string folderOfPathText(std::u16string_view text)
{
    const auto at = platform::lastSeparator(text);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(0, at + 1));
}

std::u16string contentFolderOf(std::u16string_view destinationText)
{
    return folderOfPathText(destinationText) + platform::utf16FromUtf8(CONTENT_FOLDER);
}

std::u16string absoluteForm(std::u16string_view text, const std::filesystem::path& programFolder)
{
    if (!platform::isProgramRelativePathText(text))
        return std::u16string(text);
    return platform::pathToText(programFolder) + std::u16string(text);
}

std::optional<platform::Bytes> ticketName(platform::ByteView app5)
{
    const auto at = platform::findBytes(app5, platform::bytesOf(TICKET_MARK));
    if (at == platform::NOT_FOUND || at < TICKET_NAME_SIZE)
        return std::nullopt;
    const auto name = app5.subspan(at - TICKET_NAME_SIZE, TICKET_NAME_SIZE);
    return platform::Bytes(name.begin(), name.end());
}

std::filesystem::path ticketAppBeside(std::u16string_view destinationText, const std::filesystem::path& programFolder)
{
    const std::u16string text = folderOfPathText(destinationText) + platform::utf16FromUtf8(TICKET_APP);
    return platform::resolvePathText(text, programFolder);
}

std::optional<std::size_t> findNesTitleStart(platform::ByteView app, std::size_t textureEnd)
{
    const std::size_t from = textureEnd > NES_TITLE_LEAD_IN_SKIP ? textureEnd - NES_TITLE_LEAD_IN_SKIP : 0;
    if (from > app.size())
        return std::nullopt;
    const auto at = platform::findBytes(app, NES_TITLE_LEAD_IN, from);
    if (at == platform::NOT_FOUND)
        return std::nullopt;
    return at + NES_TITLE_LEAD_IN_SKIP;
}

std::optional<std::size_t> findNesTitleEnd(platform::ByteView app, std::size_t start)
{
    if (start > app.size())
        return std::nullopt;
    const auto at = platform::findBytes(app, platform::bytesOf(NES_TITLE_END), start);
    if (at == platform::NOT_FOUND)
        return std::nullopt;
    return at;
}

std::optional<std::size_t> findC64Anchor(platform::ByteView app)
{
    const auto at = platform::findBytes(app, C64_ANCHOR);
    if (at == platform::NOT_FOUND)
        return std::nullopt;
    return at;
}

} // namespace injector
