// BannerModel: applying the command line's options, each as the window's control would.

#include "BannerModel.h"
#include "banner_editor/ColorScheme.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace fmt = layout;
using Kind = CommandOption::Kind;

platform::Result<void> BannerModel::applyOptions(const CommandLineOptions& options)
{
    if (!options.path.empty()) {
        // The path field receives the absolute path.
        const auto path = platform::pathToText(platform::resolvePathText(options.path, m_programFolder));
        if (auto loaded = setPath(path); !loaded)
            return loaded;
    }
    for (const auto& option : options.options) {
        if (auto applied = applyOption(option); !applied)
            return applied;
    }
    return {};
}

platform::Result<void> BannerModel::applyOption(const CommandOption& option)
{
    const auto languagePaneOf = [&](std::string_view base) {
        return std::string(base) + std::string(fmt::LANGUAGE_SEPARATOR) + option.target;
    };
    switch (option.kind) {
    case Kind::Logo:
        return setLogo(option.value);
    case Kind::Force:
        setForce(option.value);
        return {};
    case Kind::Color:
        return Apply_Scheme_brlyt(m_buffer, m_programFolder, platform::utf8FromUtf16(option.value));
    case Kind::Title:
        txtName = option.value;
        setAllLanguages(GameField::Title);
        return {};
    case Kind::Year:
        txtYear = option.value;
        setAllLanguages(GameField::Year);
        return {};
    case Kind::Players:
        txtPlayers = option.value;
        setAllLanguages(GameField::Players);
        return {};
    case Kind::System:
        txtSystem = option.value;
        setAllLanguages(GameField::System);
        return {};
    case Kind::Rating:
        txtESRB = option.value;
        setAllLanguages(GameField::Rating);
        return {};
    case Kind::Padding:
        txtPad = option.value;
        return {};
    case Kind::PlayersField:
        txtPlayers = option.value;
        return {};
    case Kind::LanguageTitle:
        Set_Txt1_Text(m_buffer, languagePaneOf(fmt::TITLE_PANE), option.value);
        return {};
    case Kind::LanguageYear:
        Set_Txt1_Text(m_buffer, languagePaneOf(fmt::YEAR_PANE), Make_Year(option.value, option.target));
        return {};
    case Kind::LanguageRating:
        Set_Txt1_Text(m_buffer, languagePaneOf(fmt::RATING_PANE), Make_ESRB(option.value, option.target));
        return {};
    case Kind::AnyPane:
        return setPaneText(option.target, option.value);
    case Kind::Unknown:
        m_sink.message("Unknown option " + platform::utf8FromUtf16(option.value) + " ignored");
        return {};
    }
    return {};
}

} // namespace banner_editor
