#include "BannerModel.h"

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace fs = std::filesystem;
namespace fmt = layout;
using platform::ErrorKind;
using platform::makeError;

namespace {

constexpr std::array<std::string_view, 4> BASE_PANES{fmt::TITLE_PANE, fmt::YEAR_PANE, fmt::PLAYERS_PANE,
                                                     fmt::RATING_PANE};

// The language list a field's Set and Set All work with, or -1 for the system field.
int listOf(GameField field)
{
    switch (field) {
    case GameField::Title:
        return TitleList;
    case GameField::Year:
        return YearList;
    case GameField::Players:
        return PlayersList;
    case GameField::Rating:
        return RatingList;
    case GameField::System:
        break;
    }
    return -1;
}

GameField fieldOfList(int list)
{
    switch (list) {
    case TitleList:
        return GameField::Title;
    case YearList:
        return GameField::Year;
    case PlayersList:
        return GameField::Players;
    default:
        return GameField::Rating;
    }
}

} // namespace

std::string_view basePane(int list)
{
    return BASE_PANES.at(static_cast<std::size_t>(list));
}

std::string languagePane(int list, std::string_view item)
{
    return std::string(basePane(list)) + std::string(fmt::LANGUAGE_SEPARATOR) + std::string(item);
}

BannerModel::BannerModel(platform::MessageSink& sink, fs::path programFolder)
    : m_sink(sink), m_programFolder(std::move(programFolder))
{
}

std::string BannerModel::regionItem(int list) const
{
    const int item = region(list);
    if (item < 0 || item > NONE_ITEM)
        return {};
    return std::string(LANGUAGE_ITEMS[static_cast<std::size_t>(item)]);
}

void BannerModel::setRegion(int list, int item)
{
    m_regions.at(static_cast<std::size_t>(list)) = (item >= 0 && item <= NONE_ITEM) ? item : NO_SELECTION;
}

// ---- start-up and loading ----------------------------------------------------------------------------

void BannerModel::start()
{
    forceItem = NONE_ITEM;
    const fs::path config = platform::resolvePathText(CONFIG_PATH_TEXT, m_programFolder);
    if (!platform::fileExists(config))
        return; // first start: the file and its folder are made on the first path change
    auto bytes = platform::readFile(config);
    if (!bytes)
        return;
    std::string line(bytes->begin(), bytes->end());
    line = line.substr(0, line.find_first_of("\r\n"));
    if (!line.empty())
        (void)setPath(platform::utf16FromUtf8(line));
}

void BannerModel::recordPath()
{
    const fs::path config = platform::resolvePathText(CONFIG_PATH_TEXT, m_programFolder);
    const platform::Bytes line = platform::bytesOf(platform::utf8FromUtf16(m_pathText) + "\r\n");
    // Loading the remembered layout again writes nothing.
    if (auto old = platform::readFile(config); old && *old == line)
        return;
    // Remembering the path is a convenience: a program folder that cannot hold it does not stop a load.
    if (!platform::createFolders(config.parent_path()))
        return;
    (void)platform::writeFileAtomic(config, line);
}

platform::Result<void> BannerModel::setPath(std::u16string text)
{
    m_pathText = std::move(text);
    m_buffer.clear();
    m_loadError.reset();
    const fs::path path = platform::resolvePathText(m_pathText, m_programFolder);
    platform::Result<void> loaded;
    if (m_pathText.empty() || !platform::fileExists(path)) {
        loaded = makeError(ErrorKind::NotFound, "File not found: " + platform::quoted(path));
    } else {
        m_srcPath = path;
        loaded = load();
    }
    if (!loaded) {
        m_loadError = loaded.error();
        return loaded;
    }
    recordPath();
    return {};
}

platform::Result<void> BannerModel::load()
{
    m_singleLang.clear();
    if (!platform::fileExists(m_srcPath) || platform::isPathSeparator(platform::pathToText(m_srcPath).back()))
        return makeError(ErrorKind::NotFound, "File not found: " + platform::quoted(m_srcPath));
    auto bytes = readLayoutFile(m_srcPath);
    if (!bytes)
        return bytes.error();
    m_buffer = std::move(bytes.value());
    CutPadding(m_buffer);

    m_regions.fill(NO_SELECTION);
    txtName.clear();
    txtYear.clear();
    txtPlayers.clear();
    txtESRB.clear();
    txtSystem = Get_Txt1_Text(m_buffer, fmt::SYSTEM_PANE);

    // Each list moves on until its field has a text or it reaches "NONE".
    const std::array<const std::u16string*, 4> fields{&txtName, &txtYear, &txtPlayers, &txtESRB};
    for (int list = TitleList; list <= RatingList; ++list) {
        while (fields[static_cast<std::size_t>(list)]->empty() && region(list) != NONE_ITEM) {
            setRegion(list, region(list) + 1);
            readField(list);
        }
    }
    if (region(TitleList) == NONE_ITEM)
        m_singleLang = detectLanguage();
    m_loadedBuffer = m_buffer;
    markAllStored();
    return {};
}

std::u16string BannerModel::readPane(int list, int item) const
{
    if (item == NONE_ITEM)
        return Get_Txt1_Text(m_buffer, std::string(basePane(list)));
    return Get_Txt1_Text(m_buffer, languagePane(list, LANGUAGE_ITEMS[static_cast<std::size_t>(item)]));
}

void BannerModel::readField(int list)
{
    const int item = region(list);
    if (item == NO_SELECTION)
        return;
    const std::u16string text = readPane(list, item);
    switch (list) {
    case TitleList:
        txtName = text;
        break;
    case YearList:
        if (text.empty())
            return; // nothing read: the field keeps its text, typed or not
        txtYear = yearFromLabel(text);
        break;
    case PlayersList:
        txtPlayers = playersFromLabel(text);
        break;
    case RatingList:
        txtESRB = ratingFromLabel(text);
        break;
    default:
        return;
    }
    markStored(fieldOfList(list));
}

void BannerModel::selectLanguage(int list, int item)
{
    setRegion(list, item);
    readField(list);
}

void BannerModel::rereadFields()
{
    for (int list = TitleList; list <= RatingList; ++list)
        readField(list);
    txtSystem = Get_Txt1_Text(m_buffer, fmt::SYSTEM_PANE);
    markStored(GameField::System);
}

std::string BannerModel::detectLanguage() const
{
    return languageOfYearLabel(Get_Txt1_Text(m_buffer, basePane(YearList)));
}

// ---- writing the fields --------------------------------------------------------------------------------

void BannerModel::setLanguageField(GameField field)
{
    const int list = listOf(field);
    if (list < 0 || field == GameField::Players)
        return; // the players field and the system field have no Set of their own
    const std::string item = regionItem(list);
    if (item.empty())
        return;
    // "NONE" reaches the base pane exactly; its labels use the detected language.
    const std::string labelLanguage = (item == fmt::NO_LANGUAGE) ? m_singleLang : item;
    const std::string name = languagePane(list, item);
    switch (field) {
    case GameField::Title:
        Set_Txt1_Text(m_buffer, name, txtName);
        break;
    case GameField::Year:
        Set_Txt1_Text(m_buffer, name, Make_Year(txtYear, labelLanguage));
        break;
    default:
        Set_Txt1_Text(m_buffer, name, Make_ESRB(txtESRB, labelLanguage));
        break;
    }
    markStored(field);
}

void BannerModel::setAllLanguages(GameField field)
{
    markStored(field);
    if (field == GameField::System) {
        Set_Txt1_Text(m_buffer, fmt::SYSTEM_PANE, txtSystem);
        return;
    }
    const int list = listOf(field);
    const auto text = [&](std::string_view language) -> std::u16string {
        switch (field) {
        case GameField::Title:
            return txtName;
        case GameField::Year:
            return Make_Year(txtYear, language);
        case GameField::Players:
            return Make_Players(txtPlayers, language);
        default:
            return Make_ESRB(txtESRB, language);
        }
    };
    // Panes missing from the layout are skipped: a layout carries the languages it carries.
    for (const auto item : LANGUAGE_ITEMS)
        Set_Txt1_Text(m_buffer, languagePane(list, item), text(item));
    // A single-language layout: its base pane once more, by prefix, with the detected language's label.
    if (!m_singleLang.empty())
        Set_Txt1_Text(m_buffer, std::string(basePane(list)), text(m_singleLang));
}

// ---- any pane by name ----------------------------------------------------------------------------------

std::vector<std::string> BannerModel::paneNames() const
{
    return textPaneNames(m_buffer);
}

std::u16string BannerModel::paneText(std::string_view paneName) const
{
    return Get_Txt1_Text(m_buffer, paneName);
}

platform::Result<void> BannerModel::setPaneText(std::string_view paneName, std::u16string_view text)
{
    const std::string pane = "\"" + std::string(paneName) + "\"";
    const std::string where = " in " + platform::quoted(m_srcPath);
    switch (Set_Txt1_Text(m_buffer, paneName, text)) {
    case PaneWrite::Written:
    case PaneWrite::EmptyText:
        return {};
    case PaneWrite::NotFound:
        return makeError(ErrorKind::NotFound, "No text pane named " + pane + where);
    case PaneWrite::Damaged:
        return makeError(ErrorKind::BadFormat,
                         "The text pane " + pane + where + " was left as it is: its sizes do not fit the file");
    case PaneWrite::Unterminated:
        return makeError(ErrorKind::BadFormat,
                         "The text pane " + pane + where +
                             " was left as it is: its text runs past the end of its section without a terminator");
    case PaneWrite::TooLong:
        return makeError(ErrorKind::BadArgument, "The text for pane " + pane + " is too long: at most " +
                                                     std::to_string(fmt::TEXT_LENGTH_MAX / 2 - 1) + " characters");
    }
    return {};
}

} // namespace banner_editor
