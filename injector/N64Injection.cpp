// N64: the source TPL becomes save_banner.tpl in the title's meta folder, and each of the seven titles
// goes into its language's save-comment file there.
#include <vector>

#include "injector/ConsoleInjections.h"
#include "injector/InjectorFormats.h"
#include "injector/N64SaveComments.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

bool endsWithSeparator(std::u16string_view text)
{
    return !text.empty() && platform::isPathSeparator(text.back());
}

// Every save comment the folder holds, rebuilt with its title; a missing or empty file is passed over.
platform::Result<std::vector<platform::FileWrite>> rewrittenComments(const InjectionContext& context,
                                                                     const std::filesystem::path& folder)
{
    std::vector<platform::FileWrite> comments;
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        const auto file = saveCommentFile(folder, i);
        if (!platform::fileExists(file))
            continue;
        auto old = platform::readFile(file);
        if (!old)
            return old.error();
        if (old->empty())
            continue;
        auto rewritten = rewriteN64Comment(*old, context.title(i), file.filename().string());
        if (!rewritten)
            return rewritten.error();
        comments.push_back(platform::FileWrite{file, std::move(rewritten).value()});
    }
    return comments;
}

} // namespace

platform::Result<void> injectN64(InjectionContext& context)
{
    const std::u16string& destText = context.destination();
    const auto dest = context.resolve(destText);
    // A folder path whose last name has a three-letter extension (00000005.app\) is the packed file's
    // name, not its extracted folder; so is any existing file.
    const bool looksLikeFile = destText.size() >= 5 && destText[destText.size() - 5] == u'.';
    if (looksLikeFile || platform::fileExists(dest))
        return errorOf(msg::NOT_A_FOLDER, platform::ErrorKind::BadArgument);
    if (!platform::folderExists(dest))
        return platform::makeError(platform::ErrorKind::NotFound,
                                   "The folder " + platform::utf8FromUtf16(destText) + " was not found! " +
                                       lookedFor(dest, destText) + " Nothing was injected.",
                                   "Invalid Destination!");

    auto comments = rewrittenComments(context, dest);
    if (!comments)
        return comments.error();
    if (comments->empty())
        return platform::makeError(platform::ErrorKind::NotFound,
                                   "The folder " + platform::quoted(dest) +
                                       " holds no save-comment files (saveComments_saveComments_*.bin). "
                                       "Nothing was injected.",
                                   "Invalid Destination!");

    auto source = context.optionalSource(false);
    if (!source)
        return source.error();
    if (*source) {
        auto tpl = platform::readFile(**source);
        if (!tpl)
            return tpl.error();
        if (auto checked = checkSourceKind(*tpl, SourceKind::Tpl, **source); !checked)
            return checked.error();
        // The comments found above make the folder non-empty: the texture always has a place.
        context.stage(dest / platform::textToPath(N64_TEXTURE_FILE), std::move(tpl).value());
        const std::u16string joined = destText + (endsWithSeparator(destText) ? u"" : u"\\");
        context.report(u"Tpl File:  " + context.source() + u" successfully injected into " + joined +
                       std::u16string(N64_TEXTURE_FILE) + u"." + u"\r\n");
    }
    for (auto& comment : *comments)
        context.stage(comment.path, std::move(comment.bytes));
    context.reportTitle(u"N64 titles successfully Injected!");
    return {};
}

} // namespace injector
