// BannerModel: the save sequence with what it applies besides the fields (scheme, logo, region force,
// padding), and the logo and scheme lists.

#include "BannerModel.h"
#include "banner_editor/ColorScheme.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace fs = std::filesystem;
namespace fmt = layout;
using platform::Bytes;
using platform::ErrorKind;
using platform::makeError;

namespace {

constexpr std::string_view SAVED_MESSAGE = "File Successfully Saved!";

// A save step that refused: its reason, and that nothing was written.
platform::Error notSaved(const platform::Error& reason)
{
    return makeError(reason.kind, reason.message + ". Nothing was saved.");
}

std::optional<std::u16string> selectedItem(const std::vector<std::u16string>& items, int selection)
{
    if (selection <= 0 || selection >= static_cast<int>(items.size()))
        return std::nullopt; // the first item keeps what the layout already has
    return items[static_cast<std::size_t>(selection)];
}

} // namespace

// The buffer as the save writes it: every language pane and the system pane re-encoded in the canonical
// text form, the size field, the window's scheme, region force and padding.
platform::Result<Bytes> BannerModel::savedBytes() const
{
    Bytes work = m_buffer;
    for (const auto item : LANGUAGE_ITEMS) {
        for (int list = TitleList; list <= RatingList; ++list) {
            const std::string name = languagePane(list, item);
            Set_Txt1_Text(work, name, Get_Txt1_Text(work, name));
        }
    }
    Set_Txt1_Text(work, fmt::SYSTEM_PANE, Get_Txt1_Text(work, fmt::SYSTEM_PANE));
    Set_File_Len(work);

    if (!commandLineMode) {
        if (const auto scheme = selectedItem(schemeItems, schemeSelection)) {
            if (auto applied = Apply_Scheme_brlyt(work, m_programFolder, platform::utf8FromUtf16(*scheme)); !applied)
                return applied.error();
        }
    }
    if (forceItem >= 0 && forceItem < NONE_ITEM)
        Region_Force(work, LANGUAGE_ITEMS[static_cast<std::size_t>(forceItem)]);
    // Padding comes after the size field was written: the header keeps the layout's own length.
    if (auto padded = AddPadding(work, txtPad); !padded)
        return padded.error();
    return work;
}

// The logo the save copies: the window's list item, or in an unattended run the one -LOGO chose.
platform::Result<std::optional<LogoCopy>> BannerModel::logoToSave() const
{
    if (commandLineMode)
        return m_logo;
    const auto logo = selectedItem(logoItems, logoSelection);
    if (!logo)
        return std::optional<LogoCopy>();
    auto copy = logoCopyFor(*logo);
    if (!copy)
        return copy.error();
    return std::optional<LogoCopy>(copy.value());
}

platform::Result<void> BannerModel::save()
{
    if (m_buffer.empty()) {
        if (m_loadError)
            return notSaved(*m_loadError);
        return makeError(ErrorKind::NotFound, "No layout is loaded: choose a layout file first. Nothing was saved.");
    }
    const fs::path target = platform::pathForCreate(platform::resolvePathText(m_pathText, m_programFolder));
    // Every check that can refuse the save runs before anything is changed on disk.
    if (auto padding = parsePadding(txtPad); !padding)
        return padding.error();
    if (auto kind = checkLayoutTarget(target); !kind)
        return notSaved(kind.error());
    auto bytes = savedBytes();
    if (!bytes)
        return notSaved(bytes.error());
    auto logo = logoToSave();
    if (!logo)
        return notSaved(logo.error());

    // The layout and the logo texture are written together: both are replaced, or neither.
    std::vector<platform::FileWrite> writes{{target, std::move(bytes.value())}};
    if (const auto& copy = logo.value()) {
        auto texture = platform::readFile(copy->from);
        if (!texture)
            return notSaved(texture.error());
        std::error_code ec;
        const auto perms = fs::status(copy->from, ec).permissions();
        writes.push_back({copy->to, std::move(texture.value()), ec ? std::nullopt : std::optional(perms)});
    }
    if (auto written = platform::writeFilesAtomic(writes); !written)
        return notSaved(written.error());
    m_logo.reset();

    if (!commandLineMode)
        m_sink.message(std::string(SAVED_MESSAGE));
    // Reload what was written, so the fields show what the file holds.
    (void)setPath(m_pathText);
    return {};
}

// ---- region force, logo and lists ----------------------------------------------------------------------

void BannerModel::setForce(std::u16string_view region)
{
    const std::string wanted = platform::utf8FromUtf16(platform::asciiUpper(region));
    for (int i = 0; i <= NONE_ITEM; ++i) {
        if (LANGUAGE_ITEMS[static_cast<std::size_t>(i)] == wanted) {
            forceItem = i;
            return;
        }
    }
}

platform::Result<LogoCopy> BannerModel::logoCopyFor(std::u16string_view lgPath) const
{
    const fs::path logo = logoPathOf(lgPath, m_programFolder);
    if (!platform::fileExists(logo))
        return makeError(ErrorKind::NotFound, "Logo not found: " + platform::quoted(logo));
    const fs::path layoutPath = platform::resolvePathText(m_pathText, m_programFolder);
    auto folder = textureFolderOf(layoutPath);
    if (!folder)
        return folder.error();
    auto texture = logoTextureIn(folder.value());
    if (!texture)
        return texture.error();
    return LogoCopy{logo, texture.value()};
}

platform::Result<void> BannerModel::setLogo(std::u16string_view lgPath)
{
    auto copy = logoCopyFor(lgPath);
    if (!copy)
        return copy.error();
    m_logo = copy.value();
    return {};
}

void BannerModel::refreshLogoList()
{
    logoItems.assign(1, std::u16string(CURRENT_LOGO_ITEM));
    for (const auto& name :
         platform::listFolder(platform::findExisting(m_programFolder / LOGO_FOLDER), fmt::TEXTURE_PATTERN))
        logoItems.push_back(platform::utf16FromUtf8(name));
    logoSelection = 0;
}

void BannerModel::refreshSchemeList()
{
    schemeItems.assign(1, std::u16string(CURRENT_SCHEME_ITEM));
    for (const auto& name : schemeNames(m_programFolder))
        schemeItems.push_back(platform::utf16FromUtf8(name));
    schemeSelection = 0;
}

} // namespace banner_editor
