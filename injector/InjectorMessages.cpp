#include "injector/InjectorMessages.h"

#include <array>

#include "platform/PathText.h"

namespace injector {

platform::Error errorOf(const MessageText& text, platform::ErrorKind kind, const std::string& detail)
{
    std::string prompt = text.prompt;
    if (!detail.empty())
        prompt += "\r\n" + detail;
    return platform::makeError(kind, std::move(prompt), text.title);
}

platform::Error titleTooLong(const std::string& what)
{
    return platform::makeError(platform::ErrorKind::BadArgument, what + " Nothing was written.", "Title Too Long!");
}

std::string lookedFor(const std::filesystem::path& path, std::u16string_view pathText)
{
    if (pathText.empty())
        return "No path was given.";
    const bool relative =
        !pathText.empty() && !platform::isAbsolutePathText(pathText) && !platform::isProgramRelativePathText(pathText);
    return "Looked for " + platform::quoted(path) +
           (relative ? " (a relative path is taken from the current folder)." : ".");
}

platform::MessageIcon iconFor(const platform::Error& error)
{
    static constexpr std::array FIXED = {
        &msg::BANNER_BIN_NOT_FOUND, &msg::BANNER_TPL_NOT_FOUND, &msg::APP_NOT_FOUND, &msg::NOT_A_NES_APP,
        &msg::NO_TICKET_APP,        &msg::NOT_A_SNES_APP,       &msg::NOT_A_FOLDER,  &msg::NOT_A_SEGA_FILE,
        &msg::NOT_A_TG16_FILE,      &msg::NOT_A_C64_APP,
    };
    for (const MessageText* text : FIXED)
        if (error.title == text->title)
            return text->icon;
    return platform::MessageIcon::Critical;
}

} // namespace injector
