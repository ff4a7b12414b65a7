// Any bytes as a WTE, a NeoGeo banner.bin or an NES 00000001.app: each reader either fails cleanly or
// gives exactly the TPL its container layout describes, and that TPL then decodes or fails cleanly.
// The two header templates are the ones that ship in data/headers.
#include <algorithm>
#include <cstdlib>

#include "platform/Files.h"
#include "textures/ContainerFormat.h"
#include "textures/TextureContainers.h"
#include "tools/TplFile.h"

namespace {

using platform::Bytes;
using platform::ByteView;

const Bytes& shipped(const char* name)
{
    static const Bytes single =
        platform::readFile(std::filesystem::path(SUITE_DATA_DIR) / "headers/single.hdr").value();
    static const Bytes neogeo =
        platform::readFile(std::filesystem::path(SUITE_DATA_DIR) / "headers/neogeo.hdr").value();
    return std::string_view(name) == "single" ? single : neogeo;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool endsWith(const Bytes& whole, ByteView tail)
{
    return whole.size() >= tail.size() && std::equal(tail.begin(), tail.end(), whole.end() - tail.size());
}

void checkWte(ByteView input)
{
    const Bytes& single = shipped("single");
    const auto tpl = textures::tplFromWte(input, single);
    require(tpl.ok() == (input.size() >= textures::WTE_HEADER_SIZE));
    if (!tpl.ok())
        return;
    require(tpl->size() == single.size() + input.size() - textures::WTE_HEADER_SIZE);
    require(std::equal(single.begin(), single.begin() + 21, tpl->begin()));
    require((*tpl)[21] == input[6] && (*tpl)[22] == 0 && (*tpl)[23] == input[4]);
    require(std::equal(single.begin() + 24, single.end(), tpl->begin() + 24));
    require(endsWith(*tpl, input.subspan(textures::WTE_HEADER_SIZE)));
    (void)tools::decodeTpl(*tpl).ok();

    // Back to a WTE: the same size bytes and the same texture data.
    const auto wte = textures::wteFromTpl(*tpl, input[4], input[6]);
    require(wte.ok() && wte->size() == input.size());
    require(
        std::equal(wte->begin() + textures::WTE_HEADER_SIZE, wte->end(), input.begin() + textures::WTE_HEADER_SIZE));
}

void checkNeoGeo(ByteView input)
{
    const Bytes& neogeo = shipped("neogeo");
    const auto tpl = textures::tplFromNeoGeoBanner(input, neogeo);
    require(tpl.ok() == (input.size() >= textures::NEOGEO_TEXTURE_OFFSET));
    if (!tpl.ok())
        return;
    require(tpl->size() == neogeo.size() + input.size() - textures::NEOGEO_TEXTURE_OFFSET);
    require(std::equal(neogeo.begin(), neogeo.end(), tpl->begin()));
    require(endsWith(*tpl, input.subspan(textures::NEOGEO_TEXTURE_OFFSET)));
    (void)tools::decodeTpl(*tpl).ok();
}

void checkNes(ByteView input)
{
    const ByteView signature(textures::NES_TPL_SIGNATURE);
    const std::size_t first = platform::findBytes(input, signature);
    const auto tpl = textures::tplFromNesApp(input);
    require(tpl.ok() == (first != platform::NOT_FOUND));
    if (!tpl.ok())
        return;
    require(tpl->size() == std::min(textures::NES_TPL_SIZE, input.size() - first));
    require(std::equal(tpl->begin(), tpl->end(), input.begin() + static_cast<std::ptrdiff_t>(first)));
    (void)tools::decodeTpl(*tpl).ok();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ByteView input(data, size);
    checkWte(input);
    checkNeoGeo(input);
    checkNes(input);
    // Fuzzed bytes that happen to hold the signature are rare; put it in front of them once as well.
    Bytes app(textures::NES_TPL_SIGNATURE.begin(), textures::NES_TPL_SIGNATURE.end());
    app.insert(app.end(), input.begin(), input.end());
    checkNes(app);
    return 0;
}
