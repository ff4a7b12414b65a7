#include "injector/N64SaveComments.h"

#include <array>

#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"
#include "platform/ByteReader.h"
#include "platform/Files.h"

namespace injector {

namespace {

constexpr std::array<std::string_view, 7> REAL_CODES = {"jp", "en", "de", "fr", "es", "it", "nl"};
constexpr std::array<std::string_view, 7> CAPTION_CODES = {"jp", "en", "ge", "fr", "sp", "it", "du"};

std::string commentName(std::string_view code)
{
    return std::string(N64_COMMENT_PREFIX) + std::string(code) + std::string(N64_COMMENT_SUFFIX);
}

platform::Error tooShort(const std::string& fileName, std::size_t size, std::size_t needed)
{
    return platform::makeError(platform::ErrorKind::BadFormat,
                               fileName + " is " + std::to_string(size) +
                                   " bytes long; a save-comment file with its title needs " + std::to_string(needed) +
                                   ". Nothing was written.",
                               "Invalid Save Comment File!");
}

} // namespace

std::filesystem::path saveCommentFile(const std::filesystem::path& folder, int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    for (const auto code : {REAL_CODES.at(i), CAPTION_CODES.at(i)}) {
        const auto candidate = platform::findExisting(folder / commentName(code));
        if (platform::fileExists(candidate))
            return candidate;
    }
    return folder / commentName(CAPTION_CODES.at(i));
}

platform::Result<platform::Bytes> rewriteN64Comment(platform::ByteView file, std::u16string_view title,
                                                    const std::string& fileName)
{
    if (file.size() < N64_HEADER_SIZE)
        return tooShort(fileName, file.size(), N64_HEADER_SIZE);
    platform::ByteReader reader(file);
    reader.seek(N64_TITLE_LENGTH_B);
    const std::size_t oldLength = reader.u8();
    if (file.size() < N64_HEADER_SIZE + oldLength)
        return tooShort(fileName, file.size(), N64_HEADER_SIZE + oldLength);

    const platform::Bytes titleBytes = reverseUni(Asc2Uni(title));
    if (titleBytes.size() > N64_MAX_TITLE_BYTES)
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   "The title for " + fileName + " takes " + std::to_string(titleBytes.size()) +
                                       " bytes; a save comment holds at most " + std::to_string(N64_MAX_TITLE_BYTES) +
                                       " (127 characters). Nothing was written.",
                                   "Title Too Long!");
    const auto rest = file.subspan(N64_HEADER_SIZE + oldLength);
    const std::size_t length = N64_HEADER_SIZE + titleBytes.size() + rest.size();
    if (length > N64_MAX_FILE_SIZE)
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   fileName + " would become " + std::to_string(length) +
                                       " bytes long; it can hold at most " + std::to_string(N64_MAX_FILE_SIZE) +
                                       ". Nothing was written.",
                                   "Title Too Long!");

    platform::Bytes out(file.begin(), file.begin() + N64_HEADER_SIZE);
    const auto n = static_cast<std::uint8_t>(titleBytes.size());
    const auto sizeField = static_cast<std::uint8_t>(length - 4);
    out[N64_TITLE_LENGTH_A] = n;
    out[N64_TITLE_LENGTH_A + 1] = 0;
    out[N64_TITLE_LENGTH_B] = n;
    out[N64_FILE_LENGTH_A] = sizeField;
    out[N64_FILE_LENGTH_A + 1] = 0;
    out[N64_FILE_LENGTH_A + 2] = 0;
    out[N64_FILE_LENGTH_A + 3] = 0;
    out[N64_FILE_LENGTH_B] = sizeField;
    out.insert(out.end(), titleBytes.begin(), titleBytes.end());
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

std::u16string ReadN64(const std::filesystem::path& srcFile)
{
    const auto path = platform::findExisting(srcFile);
    if (!platform::fileExists(path))
        return {};
    auto data = platform::readFile(path);
    if (!data || data->size() < N64_HEADER_SIZE)
        return {};
    platform::ByteReader reader(*data);
    reader.seek(N64_TITLE_LENGTH_B);
    const std::size_t n = reader.u8();
    reader.seek(N64_HEADER_SIZE);
    const auto title = reader.bytes(n);
    if (reader.failed())
        return {};
    return Uni2Asc(reverseUni(title));
}

} // namespace injector
