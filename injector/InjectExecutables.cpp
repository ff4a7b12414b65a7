// The branches that patch or rebuild a binary: NeoGeo banner.bin, the NES, SNES and C64 executables.
#include <algorithm>
#include <vector>

#include "injector/ExtractedTitle.h"
#include "injector/InjectionSteps.h"
#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

using platform::Bytes;
using platform::ByteView;

std::string utf8(std::u16string_view text)
{
    return platform::utf8FromUtf16(text);
}

std::string hex(std::size_t v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%zX", v);
    return buf;
}

// The SNES title as its two Shift-JIS lines: over 32 units it is cut after 32; a "^" in line 1 then
// splits it again (line 2 = the text between the first and second "^").
platform::Result<std::pair<Bytes, Bytes>> snesLines(std::u16string_view title)
{
    std::u16string line1(title), line2;
    if (title.size() > SNES_SPLIT_UNITS) {
        line1 = title.substr(0, SNES_SPLIT_UNITS);
        line2 = title.substr(SNES_SPLIT_UNITS);
    }
    if (const auto mark = line1.find(u'^'); mark != std::u16string::npos) {
        const std::u16string rest = line1.substr(mark + 1);
        line2 = rest.substr(0, rest.find(u'^'));
        line1 = line1.substr(0, mark);
    }
    std::pair<Bytes, Bytes> out;
    int number = 1;
    for (auto [text, bytes] : {std::pair{&line1, &out.first}, std::pair{&line2, &out.second}}) {
        auto encoded = JIS2Uni(*text);
        if (!encoded)
            return platform::makeError(platform::ErrorKind::BadArgument,
                                       "Line " + std::to_string(number) +
                                           " of the title cannot be written in Shift-JIS (" + encoded.error().message +
                                           "). Nothing was written.",
                                       "Invalid Title!");
        if (encoded->size() > SNES_LINE_SIZE)
            return titleTooLong(
                "Line " + std::to_string(number) + " of the title takes " + std::to_string(encoded->size()) +
                " bytes in Shift-JIS; an SNES title line holds at most " + std::to_string(SNES_LINE_SIZE) + ".");
        *bytes = std::move(encoded).value();
        ++number;
    }
    return out;
}

// The C64 title block: up to two UTF-16BE lines split at "^", each zero-filled to 68 bytes.
platform::Result<Bytes> c64Block(std::u16string_view title)
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
    Bytes block;
    for (std::size_t i = 0; i < 2; ++i) {
        Bytes line = i < parts.size() ? Asc2Uni(parts[i]) : Bytes();
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

bool InjectionRun::neoGeo()
{
    const auto dest = resolve(m_req.destination);
    const auto source = resolve(m_req.source);
    if (!platform::fileExists(dest))
        return stop(msg::BANNER_BIN_NOT_FOUND);
    if (!platform::fileExists(source))
        return stop(msg::BANNER_TPL_NOT_FOUND);

    const std::u16string& english = title(ENGLISH_SLOT);
    const std::size_t units = english.size();
    if (units > NEOGEO_TITLE_MAX_UNITS)
        return fail(titleTooLong("The title has " + std::to_string(units) +
                                 " characters; a NeoGeo save banner holds at most " +
                                 std::to_string(NEOGEO_TITLE_MAX_UNITS) + "."));

    const auto templatePath =
        platform::findExisting(m_req.programFolder / TEMPLATES_FOLDER / NEOGEO_BANNER_TEMPLATE_FILE);
    if (!platform::fileExists(templatePath))
        return fail(platform::makeError(platform::ErrorKind::NotFound,
                                        "The NeoGeo header template " + templatePath.string() +
                                            " is missing. Nothing was written.",
                                        "Template Not Found!"));
    if (auto r = m_buf.Loadhead(templatePath); !r)
        return fail(r.error());
    if (m_buf.headerData.size() < NEOGEO_BANNER_HEADER_SIZE)
        return fail(platform::makeError(platform::ErrorKind::BadFormat,
                                        "The NeoGeo header template " + templatePath.string() + " is " +
                                            std::to_string(m_buf.headerData.size()) + " bytes long; it needs " +
                                            std::to_string(NEOGEO_BANNER_HEADER_SIZE) + ". Nothing was written.",
                                        "Template Not Found!"));
    if (auto r = m_buf.LoadDonor(source); !r)
        return fail(r.error());
    if (m_buf.donorData.size() < NEOGEO_TPL_HEADER_SIZE)
        return fail(platform::makeError(platform::ErrorKind::BadFormat,
                                        utf8(m_req.source) + " is " + std::to_string(m_buf.donorData.size()) +
                                            " bytes long; a NeoGeo banner tpl has a " +
                                            std::to_string(NEOGEO_TPL_HEADER_SIZE) +
                                            "-byte header before its texture data. Nothing was written.",
                                        "Invalid Source File!"));
    m_buf.destData.clear();

    Bytes out(m_buf.headerData.begin(), m_buf.headerData.begin() + NEOGEO_BANNER_HEADER_SIZE);
    Bytes area = Asc2Uni(english);
    area.push_back(0x00);
    area.push_back(0x0D);
    area.resize(NEOGEO_TITLE_AREA, 0);
    out.insert(out.end(), area.begin(), area.end());
    out.insert(out.end(), m_buf.donorData.begin() + NEOGEO_TPL_HEADER_SIZE, m_buf.donorData.end());
    if (!writeWhole(dest, out))
        return false;
    reportTitle(u"Tpl Files successfully merged into " + m_req.destination + u".");
    return true;
}

bool InjectionRun::nes()
{
    const auto dest = resolve(m_req.destination);
    const auto source = resolve(m_req.source);
    if (!platform::fileExists(dest))
        return stop(msg::APP_NOT_FOUND);
    if (!platform::fileExists(source))
        return stop(msg::BANNER_TPL_NOT_FOUND);
    if (auto r = m_buf.LoadDonor(source); !r)
        return fail(r.error());
    if (auto r = m_buf.LoadDest(dest); !r)
        return fail(r.error());
    Bytes& app = m_buf.destData;
    const Bytes& tpl = m_buf.donorData;

    const auto s = platform::findBytes(app, NES_TPL_SIGNATURE);
    if (s == platform::NOT_FOUND)
        return stop(msg::NOT_A_NES_APP);
    if (tpl.size() > app.size() - s)
        return fail(platform::makeError(platform::ErrorKind::BadArgument,
                                        utf8(m_req.source) + " (" + std::to_string(tpl.size()) +
                                            " bytes) does not fit into 00000001.app after its tpl at " + hex(s) + " (" +
                                            std::to_string(app.size() - s) + " bytes left). Nothing was written.",
                                        "Source Too Large!"));
    std::copy(tpl.begin(), tpl.end(), app.begin() + static_cast<std::ptrdiff_t>(s));

    // The title follows the texture: an earlier lead-in would lie in the new texture's pixels.
    const std::size_t textureEnd = s + tpl.size();
    const std::size_t start = findNesTitleStart(app, textureEnd).value_or(textureEnd);
    const auto end = findNesTitleEnd(app, start);
    if (!end)
        return fail(platform::makeError(platform::ErrorKind::BadFormat,
                                        "No title end (\"VirtualIF.c\") follows the title at " + hex(start) +
                                            " in 00000001.app. Nothing was written.",
                                        "Invalid 00000001.app!"));

    // The region keeps its length: a longer title is cut after its last whole character, a shorter
    // one zero-filled. Only this region changes.
    const std::size_t regionSize = *end - start;
    Bytes newTitle = Asc2Uni(title(ENGLISH_SLOT));
    if (newTitle.size() > regionSize)
        newTitle.resize(regionSize - regionSize % 2);
    newTitle.resize(regionSize, 0);
    std::copy(newTitle.begin(), newTitle.end(), app.begin() + static_cast<std::ptrdiff_t>(start));
    if (!writeWhole(dest, app))
        return false;
    reportTitle(u"Tpl File:  " + m_req.source + u" successfully injected into " + m_req.destination + u"." + u"\r\n" +
                title(ENGLISH_SLOT) + u" successflly injected into " + m_req.destination);
    return true;
}

bool InjectionRun::snes()
{
    const std::u16string& english = title(ENGLISH_SLOT);
    auto lines = snesLines(english);
    if (!lines)
        return fail(lines.error());

    const std::u16string folder = contentFolderOf(m_req.destination);
    const std::u16string target = folder + u"banner.tpl";
    if (!replaceTexture(resolve(target), msg::NO_BANNER_TPL_TARGET,
                        u"Tpl File:  " + m_req.source + u" successfully copied to " + target + u"." + u"\r\n"))
        return false;

    const auto dest = resolve(m_req.destination);
    if (!platform::fileExists(dest))
        return destinationMissing();
    const auto app5Path = ticketAppBeside(m_req.destination, m_req.programFolder);
    if (!platform::fileExists(app5Path))
        return stop(msg::NO_TICKET_APP);
    if (auto r = m_buf.LoadDonor(app5Path); !r)
        return fail(r.error());
    const auto ticket = ticketName(m_buf.donorData);
    if (!ticket)
        return fail(platform::makeError(platform::ErrorKind::BadFormat,
                                        "The 00000005.app beside the 00000001.app holds no ticket name (no \".rom\").",
                                        "Error 5.app Not valid!"));
    if (auto r = m_buf.LoadDest(dest); !r)
        return fail(r.error());
    Bytes& app = m_buf.destData;
    const auto t = platform::findBytes(app, *ticket);
    if (t == platform::NOT_FOUND || t + SNES_TITLE_FROM_TICKET + 2 * SNES_LINE_SIZE > app.size())
        return stop(msg::NOT_A_SNES_APP);

    // A non-empty title replaces both lines, so no part of a longer old title survives; an empty one
    // leaves the old title as it is.
    if (!english.empty()) {
        Bytes block = std::move(lines->first);
        block.resize(SNES_LINE_SIZE, 0);
        block.insert(block.end(), lines->second.begin(), lines->second.end());
        block.resize(2 * SNES_LINE_SIZE, 0);
        std::copy(block.begin(), block.end(), app.begin() + static_cast<std::ptrdiff_t>(t + SNES_TITLE_FROM_TICKET));
    }
    if (!writeWhole(dest, app))
        return false;
    reportTitle(english + u" successflly injected into " + m_req.destination);
    return true;
}

bool InjectionRun::c64()
{
    auto block = c64Block(title(ENGLISH_SLOT));
    if (!block)
        return fail(block.error());

    const std::u16string folder = contentFolderOf(m_req.destination);
    if (!replaceTexture(resolve(folder + u"LZ77_banner.tpl"), msg::NO_LZ77_TARGET,
                        m_req.source + u" Successfully Copied to " + folder + u"LZ77_banner.tpl!" + u"\r\n"))
        return false;

    const auto dest = resolve(m_req.destination);
    if (!platform::fileExists(dest))
        return destinationMissing();
    if (auto r = m_buf.LoadDonor(dest); !r)
        return fail(r.error());
    Bytes& app = m_buf.donorData;
    const auto a = findC64Anchor(app);
    if (!a || *a + C64_TITLE_FROM_ANCHOR + C64_TITLE_BLOCK > app.size())
        return stop(msg::NOT_A_C64_APP);
    std::copy(block->begin(), block->end(), app.begin() + static_cast<std::ptrdiff_t>(*a + C64_TITLE_FROM_ANCHOR));
    if (!writeWhole(dest, app))
        return false;
    reportTitle(title(ENGLISH_SLOT) + u" Successfully Injected into " + m_req.destination + u"!");
    return true;
}

} // namespace injector
