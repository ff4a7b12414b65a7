// The branches that rewrite title files: N64 save comments, the Sega banner.cfg.txt, the TG16 TITLE.TXT.
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "injector/ExtractedTitle.h"
#include "injector/InjectionSteps.h"
#include "injector/InjectorFormats.h"
#include "injector/N64SaveComments.h"
#include "injector/TitleEncoding.h"
#include "injector/WteCopy.h"
#include "platform/ByteReader.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

using platform::Bytes;
using platform::ByteView;

constexpr std::u16string_view CRLF = u"\r\n";

// The title files read as 8-bit lines: every zero byte is skipped, each other byte is one character,
// lines end at CR LF (a line end at the very end opens no further line).
std::vector<std::u16string> eightBitLines(ByteView data)
{
    Bytes kept;
    for (auto b : data)
        if (b != 0)
            kept.push_back(b);
    const std::u16string text = platform::textFromLatin1(kept);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(CRLF, start);
        if (at == std::u16string::npos) {
            if (start < text.size() || lines.empty())
                lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + CRLF.size();
    }
}

Bytes titleFile(const Bytes& body)
{
    Bytes out(TITLE_FILE_START.begin(), TITLE_FILE_START.end());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// The 8-bit reading keeps a line only when each of its characters is below U+0100: a wider one
// would come back as two characters. In a UTF-16BE file with byte-order mark, the number (1-based) of
// the first line from first to last (inclusive) that holds a wider character, or nothing.
std::optional<std::size_t> firstWideLine(ByteView data, std::size_t first, std::size_t last)
{
    platform::ByteReader reader(data);
    if (reader.be16() != 0xFEFF)
        return std::nullopt;
    std::u16string text;
    while (reader.remaining() >= 2)
        text.push_back(static_cast<char16_t>(reader.be16()));
    std::size_t start = 0;
    for (std::size_t line = 1; line <= last; ++line) {
        const auto end = text.find(CRLF, start);
        const std::u16string_view content = std::u16string_view(text).substr(start, end - start);
        if (line >= first && std::any_of(content.begin(), content.end(), [](char16_t c) { return c > 0xFF; }))
            return line;
        if (end == std::u16string::npos)
            break;
        start = end + CRLF.size();
    }
    return std::nullopt;
}

platform::Error wideLine(std::u16string_view destination, std::size_t line)
{
    return platform::makeError(platform::ErrorKind::BadFormat,
                               "Line " + std::to_string(line) + " of " + platform::utf8FromUtf16(destination) +
                                   " holds characters beyond 8 bits, which this title file keeps only as single "
                                   "bytes. Nothing was written.",
                               "Invalid Destination File!");
}

bool endsWithSeparator(std::u16string_view text)
{
    return !text.empty() && platform::isPathSeparator(text.back());
}

} // namespace

bool InjectionRun::n64()
{
    const std::u16string& destText = m_req.destination;
    const auto dest = resolve(destText);
    // A folder path whose last name has a three-letter extension (00000005.app\) is the packed file's
    // name, not its extracted folder; so is any existing file.
    const bool looksLikeFile = destText.size() >= 5 && destText[destText.size() - 5] == u'.';
    if (looksLikeFile || platform::fileExists(dest))
        return stop(msg::NOT_A_FOLDER);
    if (!platform::folderExists(dest))
        return fail(platform::makeError(platform::ErrorKind::NotFound,
                                        "The folder " + platform::utf8FromUtf16(destText) +
                                            " was not found! Nothing was injected.",
                                        "Invalid Destination!"));

    // Every save comment is rebuilt before anything is written, so a title that does not fit leaves
    // the whole title as it was.
    std::vector<std::pair<std::filesystem::path, Bytes>> comments;
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        const auto file = saveCommentFile(dest, i);
        if (!platform::fileExists(file))
            continue;
        auto old = platform::readFile(file);
        if (!old)
            return fail(old.error());
        if (old->empty())
            continue;
        auto rewritten = rewriteN64Comment(*old, title(i), file.filename().string());
        if (!rewritten)
            return fail(rewritten.error());
        comments.emplace_back(file, std::move(rewritten).value());
    }
    if (comments.empty())
        return fail(platform::makeError(platform::ErrorKind::NotFound,
                                        "The folder " + platform::utf8FromUtf16(destText) +
                                            " holds no save-comment files (saveComments_saveComments_*.bin). "
                                            "Nothing was injected.",
                                        "Invalid Destination!"));

    if (const auto source = usableSource(false)) {
        const std::u16string joined = destText + (endsWithSeparator(destText) ? u"" : u"\\");
        // The comments found above make the folder non-empty: the texture always has a place.
        if (auto copied = platform::copyFile(*source, platform::pathForCreate(dest / "save_banner.tpl")); !copied)
            return fail(copied.error());
        m_report = u"Tpl File:  " + m_req.source + u" successfully injected into " + joined + u"save_banner.tpl" +
                   u"." + u"\r\n";
    }
    for (const auto& [file, bytes] : comments)
        if (!writeWhole(file, bytes))
            return false;
    reportTitle(u"N64 titles successfully Injected!");
    return true;
}

bool InjectionRun::sega()
{
    const auto dest = resolve(m_req.destination);
    if (!platform::fileExists(dest))
        return fail(platform::makeError(
            platform::ErrorKind::NotFound,
            platform::utf8FromUtf16(m_req.destination) + " not found! Nothing was injected.", "Invalid Destination!"));
    // The destination is checked before the WTE files go in, so a wrong file receives nothing.
    if (auto r = m_buf.LoadDest(dest); !r)
        return fail(r.error());
    const auto lines = eightBitLines(m_buf.destData);
    if (lines.size() < SEGA_HEADER_LINES || lines[0].find(SEGA_HEADER_MARK) == std::u16string::npos)
        return stop(msg::NOT_A_SEGA_FILE);
    if (const auto wide = firstWideLine(m_buf.destData, 1, SEGA_HEADER_LINES))
        return fail(wideLine(m_req.destination, *wide));

    if (const auto source = usableSource(true)) {
        const std::u16string folderText = folderOfPathText(m_req.destination);
        const auto folder = dest.parent_path();
        auto plan = planWteBannerCopy(*source, folder);
        if (!plan)
            return fail(plan.error());
        platform::showMessage(platform::utf8FromUtf16(folderText));
        for (const auto& [from, to] : *plan)
            if (auto copied = platform::copyFile(from, to); !copied)
                return fail(copied.error());
        m_report = u"WTE Files Successfully Copied!\r\n";
    }

    std::u16string header;
    for (std::size_t i = 0; i < SEGA_HEADER_LINES; ++i) {
        std::u16string line = lines[i];
        if (i == 0 && line.size() >= 2 && line[0] == u'\u00FE' && line[1] == u'\u00FF')
            line.erase(0, 2); // the byte-order mark read as two 8-bit characters
        header += line + std::u16string(CRLF);
    }
    Bytes body = Asc2UniShift(header);
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        std::u16string line =
            std::u16string(TITLE_LABELS[static_cast<std::size_t>(i)]) + platform::trimSpaces(title(i));
        if (i + 1 < TITLE_SLOTS)
            line += CRLF;
        const Bytes encoded = Asc2Uni(line);
        body.insert(body.end(), encoded.begin(), encoded.end());
    }
    if (!writeWhole(dest, titleFile(body)))
        return false;
    reportTitle(u"Titles Successfully Injected into " + m_req.destination + u"!");
    return true;
}

bool InjectionRun::tg16()
{
    // TITLE.TXT keeps one byte per character; a character above U+00FF would turn into "?".
    const std::u16string& english = title(ENGLISH_SLOT);
    if (const auto wide = std::find_if(english.begin(), english.end(), [](char16_t c) { return c > 0xFF; });
        wide != english.end())
        return fail(platform::makeError(platform::ErrorKind::BadArgument,
                                        "A TG16 title holds 8-bit characters only; character " +
                                            std::to_string(wide - english.begin() + 1) +
                                            " of the title has none. Nothing was written.",
                                        "Invalid Title!"));
    const std::u16string folder = folderOfPathText(m_req.destination);
    if (!replaceTexture(resolve(folder + u"savedata.tpl"), msg::NO_SAVEDATA_TARGET,
                        m_req.source + u" successfully copied to " + folder + u"savedata.tpl!" + u"\r\n"))
        return false;

    const auto dest = resolve(m_req.destination);
    if (!platform::fileExists(dest))
        return destinationMissing();
    if (auto r = m_buf.LoadDest(dest); !r)
        return fail(r.error());
    const auto lines = eightBitLines(m_buf.destData);
    if (lines.size() < 2 || lines[1].size() < 3 || lines[1][2] != u':')
        return stop(msg::NOT_A_TG16_FILE);
    if (const auto wide = firstWideLine(m_buf.destData, 2, std::numeric_limits<std::size_t>::max()))
        return fail(wideLine(m_req.destination, *wide));

    // Line 1 (the old title, behind the byte-order mark) gives way to the English title.
    std::u16string rest;
    if (lines.size() == 2) {
        rest = lines[1] + std::u16string(CRLF);
    } else {
        for (std::size_t i = 1; i < lines.size(); ++i)
            rest += (i > 1 ? std::u16string(CRLF) : std::u16string()) + lines[i];
    }
    const std::u16string text = english + std::u16string(CRLF) + rest + std::u16string(CRLF);
    if (!writeWhole(dest, titleFile(Asc2UniShift(text))))
        return false;
    reportTitle(u"Titles Successfully Injected into " + m_req.destination + u"!");
    return true;
}

} // namespace injector
