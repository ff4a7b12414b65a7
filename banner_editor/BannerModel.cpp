#include "BannerModel.h"

#include "banner_editor/ColorScheme.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ErrorKind;
using platform::makeError;

namespace {

// The pane name prefixes of the four language lists; without the trailing "_" they are the names of
// the panes a single-language layout carries.
constexpr std::array<std::string_view, 4> PANE_PREFIXES{"T_VCTitle_", "T_Year_", "T_Play_", "T_ESRB_"};
constexpr std::string_view SYSTEM_PANE = "T_PF";

std::string baseName(int list)
{
    const auto prefix = PANE_PREFIXES.at(static_cast<std::size_t>(list));
    return std::string(prefix.substr(0, prefix.size() - 1));
}

std::string paneName(int list, std::string_view item)
{
    return std::string(PANE_PREFIXES.at(static_cast<std::size_t>(list))) + std::string(item);
}

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

// A file with every write permission bit cleared: the system the tools were made for refuses to
// delete or replace it, and so does the save, rather than renaming a new file over it.
bool isReadOnlyFile(const fs::path& p)
{
    std::error_code ec;
    const auto status = fs::status(p, ec);
    if (ec || !fs::is_regular_file(status))
        return false;
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none;
}

// A save step that refused: its reason, and that the layout file was left as it was.
platform::Error notSaved(const platform::Error& reason, const fs::path& target)
{
    return makeError(reason.kind, reason.message + ". " + quoted(target) + " was not saved.");
}

} // namespace

BannerModel::BannerModel(fs::path programFolder) : m_programFolder(std::move(programFolder)) {}

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

void BannerModel::Form_Load()
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
        (void)txtSrc_Change(platform::utf16FromUtf8(line));
}

void BannerModel::recordPath()
{
    const fs::path config = platform::resolvePathText(CONFIG_PATH_TEXT, m_programFolder);
    // Remembering the path is a convenience: a program folder that cannot hold it does not stop a load.
    if (!platform::createFolders(config.parent_path()))
        return;
    std::string line = platform::utf8FromUtf16(m_pathText) + "\r\n";
    (void)platform::writeFileAtomic(
        config, platform::ByteView(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
}

platform::Result<void> BannerModel::txtSrc_Change(std::u16string text)
{
    m_pathText = std::move(text);
    m_buffer.clear();
    const fs::path path = platform::resolvePathText(m_pathText, m_programFolder);
    if (m_pathText.empty() || !platform::fileExists(path))
        return makeError(ErrorKind::NotFound, "File not found: " + quoted(path));
    m_srcPath = path;
    auto loaded = Load_Brlyt();
    if (!loaded)
        return loaded;
    recordPath();
    return {};
}

platform::Result<void> BannerModel::Load_Brlyt()
{
    m_singleLang.clear();
    if (!platform::fileExists(m_srcPath) || platform::isPathSeparator(platform::pathToText(m_srcPath).back()))
        return makeError(ErrorKind::NotFound, "File not found: " + quoted(m_srcPath));
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
    txtSystem = Get_Txt1_Text(m_buffer, SYSTEM_PANE);

    // Each list moves on until its field has a text or it reaches "NONE".
    const std::array<const std::u16string*, 4> fields{&txtName, &txtYear, &txtPlayers, &txtESRB};
    for (int list = TitleList; list <= RatingList; ++list) {
        while (fields[static_cast<std::size_t>(list)]->empty() && region(list) != NONE_ITEM) {
            setRegion(list, region(list) + 1);
            cmbRegion_click(list);
        }
    }
    if (region(TitleList) == NONE_ITEM)
        m_singleLang = Detect_Language();
    return {};
}

std::u16string BannerModel::readPane(int list, int item) const
{
    if (item == NONE_ITEM)
        return Get_Txt1_Text(m_buffer, baseName(list));
    return Get_Txt1_Text(m_buffer, paneName(list, LANGUAGE_ITEMS[static_cast<std::size_t>(item)]));
}

void BannerModel::cmbRegion_click(int list)
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
        if (!text.empty())
            txtYear = yearFromLabel(text);
        break;
    case PlayersList:
        txtPlayers = playersFromLabel(text);
        break;
    case RatingList:
        txtESRB = ratingFromLabel(text);
        break;
    default:
        break;
    }
}

void BannerModel::selectRegion(int list, int item)
{
    setRegion(list, item);
    cmbRegion_click(list);
}

void BannerModel::rereadFields()
{
    for (int list = TitleList; list <= RatingList; ++list)
        cmbRegion_click(list);
    txtSystem = Get_Txt1_Text(m_buffer, SYSTEM_PANE);
}

std::string BannerModel::Detect_Language() const
{
    return languageOfYearLabel(Get_Txt1_Text(m_buffer, baseName(YearList)));
}

// ---- writing the fields --------------------------------------------------------------------------------

void BannerModel::cmdSet_Click(int index)
{
    static constexpr std::array<int, 3> LIST_OF_BUTTON{TitleList, YearList, RatingList};
    if (index < 0 || index > 2)
        return;
    const int list = LIST_OF_BUTTON[static_cast<std::size_t>(index)];
    const std::string item = regionItem(list);
    if (item.empty())
        return;
    // "NONE" reaches the base pane exactly; its labels use the detected language.
    const std::string labelLanguage = (item == LANGUAGE_ITEMS[NONE_ITEM]) ? m_singleLang : item;
    const std::string name = paneName(list, item);
    switch (index) {
    case 0:
        Set_Txt1_Text(m_buffer, name, txtName);
        break;
    case 1:
        Set_Txt1_Text(m_buffer, name, Make_Year(txtYear, labelLanguage));
        break;
    case 2:
        Set_Txt1_Text(m_buffer, name, Make_ESRB(txtESRB, labelLanguage));
        break;
    }
}

void BannerModel::cmdSetAll_Click(int index)
{
    if (index == 3) {
        Set_Txt1_Text(m_buffer, SYSTEM_PANE, txtSystem);
        return;
    }
    if (index < 0 || index > 4)
        return;
    const int list = index == 4 ? RatingList : index;
    const auto text = [&](std::string_view language) -> std::u16string {
        switch (list) {
        case TitleList:
            return txtName;
        case YearList:
            return Make_Year(txtYear, language);
        case PlayersList:
            return Make_Players(txtPlayers, language);
        default:
            return Make_ESRB(txtESRB, language);
        }
    };
    for (const auto item : LANGUAGE_ITEMS)
        Set_Txt1_Text(m_buffer, paneName(list, item), text(item));
    // A single-language layout: its base pane once more, by prefix, with the detected language's label.
    if (!m_singleLang.empty())
        Set_Txt1_Text(m_buffer, baseName(list), text(m_singleLang));
}

// ---- saving --------------------------------------------------------------------------------------------

platform::Result<void> BannerModel::cmdSave_Click()
{
    const fs::path target = platform::pathForCreate(platform::resolvePathText(m_pathText, m_programFolder));
    if (m_buffer.empty())
        return makeError(ErrorKind::NotFound, "Nothing to save: no layout is loaded from " + quoted(target));
    // Every check that can refuse the save runs before anything is changed on disk.
    if (auto padding = parsePadding(txtPad); !padding)
        return padding.error();
    if (!platform::folderExists(target.parent_path()))
        return makeError(ErrorKind::WriteFailed,
                         "Cannot save " + quoted(target) + ": the folder does not exist. The file was not saved.");
    if (isReadOnlyFile(target))
        return makeError(ErrorKind::WriteFailed,
                         "Cannot save " + quoted(target) + ": the file is read-only. The file was not saved.");

    // The save works on a copy, so a failure leaves the buffer with the user's edits.
    Bytes work = m_buffer;
    // Re-encode every language pane and the system pane in the canonical text form.
    for (const auto item : LANGUAGE_ITEMS) {
        for (int list = TitleList; list <= RatingList; ++list) {
            const std::string name = paneName(list, item);
            Set_Txt1_Text(work, name, Get_Txt1_Text(work, name));
        }
    }
    Set_Txt1_Text(work, SYSTEM_PANE, Get_Txt1_Text(work, SYSTEM_PANE));
    Set_File_Len(work);

    if (!commandLineMode) {
        if (schemeSelection > 0 && schemeSelection < static_cast<int>(schemeItems.size())) {
            const auto& scheme = schemeItems[static_cast<std::size_t>(schemeSelection)];
            auto applied = Apply_Scheme_brlyt(work, m_programFolder, platform::utf8FromUtf16(scheme));
            if (!applied)
                return notSaved(applied.error(), target);
        }
        if (logoSelection > 0 && logoSelection < static_cast<int>(logoItems.size())) {
            auto replaced = ReplaceLogo(logoItems[static_cast<std::size_t>(logoSelection)]);
            if (!replaced)
                return notSaved(replaced.error(), target);
        }
    }
    if (forceItem >= 0 && forceItem < NONE_ITEM)
        Region_Force(work, LANGUAGE_ITEMS[static_cast<std::size_t>(forceItem)]);
    // Padding comes after the size field was written: the header keeps the layout's own length.
    auto padded = AddPadding(work, txtPad);
    if (!padded)
        return notSaved(padded.error(), target);

    auto written = writeLayoutFile(target, work);
    if (!written)
        return makeError(ErrorKind::WriteFailed, written.error().message + ". The file was not saved.");

    if (!commandLineMode)
        platform::showMessage("File Successfully Saved!");
    // Reload what was written, so the fields show what the file holds.
    (void)txtSrc_Change(m_pathText);
    return {};
}

// ---- region force, logo and lists ----------------------------------------------------------------------

void BannerModel::SetForce(std::u16string_view REG)
{
    const std::string wanted = platform::utf8FromUtf16(platform::asciiUpper(REG));
    for (int i = 0; i <= NONE_ITEM; ++i) {
        if (LANGUAGE_ITEMS[static_cast<std::size_t>(i)] == wanted) {
            forceItem = i;
            return;
        }
    }
}

platform::Result<void> BannerModel::ReplaceLogo(std::u16string_view lgPath)
{
    const fs::path logo = logoPathOf(lgPath, m_programFolder);
    if (!platform::fileExists(logo))
        return makeError(ErrorKind::NotFound, "Logo not found: " + quoted(logo));
    const fs::path layout = platform::resolvePathText(m_pathText, m_programFolder);
    auto folder = textureFolderOf(layout);
    if (!folder)
        return folder.error();
    const fs::path texture = logoTextureIn(folder.value());
    if (texture.empty())
        return {}; // no texture folder or no logo texture in it: nothing to replace
    return platform::copyFile(logo, texture);
}

void BannerModel::RefreshLogoList()
{
    logoItems.assign(1, std::u16string(CURRENT_LOGO_ITEM));
    for (const auto& name : platform::listFolder(m_programFolder / "logos", "*.tpl"))
        logoItems.push_back(platform::utf16FromUtf8(name));
    logoSelection = 0;
}

void BannerModel::RefreshColorList_Here()
{
    schemeItems.assign(1, std::u16string(CURRENT_SCHEME_ITEM));
    for (const auto& name : schemeNames(m_programFolder))
        schemeItems.push_back(platform::utf16FromUtf8(name));
    schemeSelection = 0;
}

} // namespace banner_editor
