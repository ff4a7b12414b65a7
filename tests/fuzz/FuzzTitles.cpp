// Any bytes as the file an injection reads: the title loader and the injection of every console,
// and the title decoders on their own. Input: byte 0 chooses the console, byte 1 the title length in
// UTF-16 units, then the English title (big-endian units; the other slots keep what the loader
// read), then the file's bytes.
// Nothing may crash; a rewritten save comment stays within its single-byte length fields, the
// executables patched in place keep their length, and a refused injection changes no file. The marks the injector looks
// for are in titles.dict beside this file: `fuzz_titles -dict=tests/fuzz/titles.dict -max_total_time=60`.
// The file is cut to MAX_FILE bytes: every mark and field the loaders and injections look for fits
// many times over, while the decoders' per-character fallback and the whole-file copies of the
// injections would otherwise hold the target at a few inputs a second on the long executables among
// the seeds.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "injector/ExtractedTitle.h"
#include "injector/Injection.h"
#include "injector/N64SaveComments.h"
#include "injector/TitleEncoding.h"
#include "injector/TitleLoader.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/PathText.h"

namespace {

namespace fs = std::filesystem;

class QuietSink : public platform::MessageSink
{
public:
    void show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

const fs::path& workFolder()
{
    static const fs::path folder = [] {
        const fs::path shm = "/dev/shm";
        const fs::path base = fs::is_directory(shm) ? shm : fs::temp_directory_path();
        return base / ("fuzz_titles_" + std::to_string(::getpid()));
    }();
    static const bool cleanUp = [] {
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(workFolder(), ec);
        });
        return true;
    }();
    (void)cleanUp;
    return folder;
}

void put(const fs::path& path, platform::ByteView bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A small TPL with the NES save-icon signature, the source of the NES injection.
platform::Bytes nesSource()
{
    platform::Bytes tpl = {0x00, 0x20, 0xAF, 0x30, 0x00, 0x00, 0x00, 0x05,
                           0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x34};
    tpl.resize(96, 0x5A);
    return tpl;
}

} // namespace

constexpr std::size_t MAX_FILE = 8 * 1024;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QuietSink sink;
    size = std::min(size, MAX_FILE);
    if (size < 2)
        return 0;
    const int console = data[0] % injector::CONSOLE_COUNT;
    const std::size_t units = std::min<std::size_t>(data[1] % 80, (size - 2) / 2);
    std::u16string title;
    for (std::size_t i = 0; i < units; ++i)
        title.push_back(static_cast<char16_t>((data[2 + 2 * i] << 8) | data[3 + 2 * i]));
    const platform::ByteView file(data + 2 + 2 * units, size - 2 - 2 * units);

    // The decoders and the byte-level helpers alone. The decoders get at most a few title lines'
    // worth: they decode a bad Shift-JIS byte by byte, which is cheap for the 80 bytes of a title
    // and slow for kilobytes.
    const platform::ByteView line = file.first(std::min<std::size_t>(file.size(), 256));
    (void)injector::Uni2Asc(line);
    (void)injector::JIS2ASC(line);
    (void)injector::reverseUni(file);
    (void)injector::ticketName(file);
    (void)injector::findC64Anchor(file);
    (void)injector::Asc2UniShift(title);
    (void)injector::JIS2Uni(title);
    if (auto rewritten = injector::rewriteN64Comment(file, title, "comment"); rewritten) {
        if (rewritten->size() > 259 || rewritten->size() < 64)
            std::abort();
    }

    // The file in an extracted title, loaded and injected into.
    const fs::path root = workFolder();
    std::error_code removed;
    fs::remove_all(root, removed);
    platform::Bytes head = {'W', 'I', 'B', 'N'};
    head.resize(32, 0x57);
    put(root / "templates" / "tpl_neogeo_header.bin", head);
    fs::path dest;
    std::u16string source;
    switch (console) {
    case injector::CON_NEOGEO: {
        // Only a save banner is rebuilt: give the destination its mark so the rebuild is reached.
        platform::Bytes banner = {'W', 'I', 'B', 'N'};
        banner.insert(banner.end(), file.begin(), file.end());
        put(root / "t" / "banner.tpl", file);
        put(root / "t" / "banner.bin", banner);
        dest = root / "t" / "banner.bin";
        source = platform::pathToText(root / "t" / "banner.tpl");
        break;
    }
    case injector::CON_NES:
        put(root / "t" / "banner.tpl", nesSource());
        dest = root / "t" / "00000001.app";
        source = platform::pathToText(root / "t" / "banner.tpl");
        break;
    case injector::CON_SNES:
        put(root / "t" / "00000005.app", file);
        dest = root / "t" / "00000001.app";
        break;
    case injector::CON_N64:
        put(root / "t" / "meta" / "saveComments_saveComments_en.bin", file);
        dest = root / "t" / "meta";
        break;
    case injector::CON_TG16:
        dest = root / "t" / "TITLE.TXT";
        break;
    case injector::CON_C64:
        dest = root / "t" / "00000001.app";
        break;
    default:
        dest = root / "t" / "banner.cfg.txt";
        break;
    }
    if (console != injector::CON_N64 && console != injector::CON_NEOGEO)
        put(dest, file);
    const std::u16string destText = platform::pathToText(dest) + (console == injector::CON_N64 ? u"/" : u"");

    const auto loaded = injector::loadTitles(console, destText, root);
    injector::InjectionRequest request;
    request.conIndex = console;
    request.source = source;
    request.destination = destText;
    request.titles = loaded.titles;
    request.titles[injector::ENGLISH_SLOT] = title;
    request.programFolder = root;
    std::error_code ec;
    const auto sizeBefore = fs::file_size(dest, ec);
    const auto outcome = injector::inject(request, sink);
    if (!outcome) {
        if (!fs::is_directory(dest) && fs::file_size(dest, ec) != sizeBefore)
            std::abort();
        return 0;
    }
    (void)injector::loadTitles(console, destText, root);
    const bool inPlace = console == injector::CON_NES || console == injector::CON_SNES || console == injector::CON_C64;
    if (inPlace && fs::file_size(dest, ec) != file.size())
        std::abort();
    return 0;
}
