// gbalzss's compressor: output size and speed of the optimal parse next to a plain greedy parse, on a
// 43264-byte save TPL, text, random data, 1 MiB of zeros and a long run of one byte inside other data.

#include <filesystem>
#include <random>

#include <benchmark/benchmark.h>

#include "support/TempFolder.h"
#include "tools/Lz77.h"
#include "tools/TplFile.h"

namespace {

using platform::Bytes;

// The five-image save TPL (192x64 banner and four 48x48 icons): the console's own pictures when the real
// data folder is there, smooth synthetic pictures otherwise.
Bytes saveTpl()
{
    const auto folder = test_support::realDataFolder("savebanner");
    Bytes raw;
    if (!folder.empty())
        raw = test_support::readAll(folder / "disc_52353950_banner_4icons.bin");
    std::vector<tools::EncodedImage> images;
    std::size_t at = 160;
    for (int i = 0; i < 5; ++i) {
        const std::uint32_t w = i == 0 ? 192 : 48;
        const std::uint32_t h = i == 0 ? 64 : 48;
        if (raw.size() >= at + w * h * 2) {
            images.push_back({w, h, tools::TexFormat::RGB5A3,
                              Bytes(raw.begin() + static_cast<std::ptrdiff_t>(at),
                                    raw.begin() + static_cast<std::ptrdiff_t>(at + w * h * 2))});
        } else {
            tools::RgbaImage image(w, h);
            for (std::uint32_t y = 0; y < h; ++y)
                for (std::uint32_t x = 0; x < w; ++x) {
                    auto* p = image.at(x, y);
                    p[0] = static_cast<std::uint8_t>(x * 255 / w);
                    p[1] = static_cast<std::uint8_t>(y * 255 / h);
                    p[2] = static_cast<std::uint8_t>((x / 8 + y / 8) % 2 ? 200 : 40);
                    p[3] = 255;
                }
            images.push_back(*tools::encodeImage(image, tools::TexFormat::RGB5A3));
        }
        at += std::size_t{w} * h * 2;
    }
    return tools::writeTpl(images);
}

// About 1 MB of text: this project's own sources, repeated.
Bytes text()
{
    Bytes sources;
    for (const char* sub : {"tools", "platform"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(TOOLS_BENCH_SOURCE_DIR) / sub)) {
            if (entry.is_regular_file()) {
                const Bytes b = test_support::readAll(entry.path());
                sources.insert(sources.end(), b.begin(), b.end());
            }
        }
    }
    if (sources.empty())
        sources = Bytes{'t', 'e', 'x', 't', '\n'};
    Bytes out;
    while (out.size() < (1u << 20))
        out.insert(out.end(), sources.begin(), sources.end());
    out.erase(out.begin() + (1u << 20), out.end());
    return out;
}

Bytes randomData()
{
    Bytes out(1u << 20);
    std::mt19937 rng(42);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng());
    return out;
}

Bytes zeros()
{
    return Bytes(1u << 20, 0);
}

// 1 MiB: a quarter text, half one byte repeated, a quarter random: runs that start and end inside data.
Bytes runInsideData()
{
    const Bytes t = text();
    const Bytes r = randomData();
    Bytes out(t.begin(), t.begin() + (1u << 18));
    out.insert(out.end(), 1u << 19, 0xFF);
    out.insert(out.end(), r.begin(), r.begin() + (1u << 18));
    return out;
}

const Bytes& sample(int which)
{
    static const Bytes samples[] = {saveTpl(), text(), randomData(), zeros(), runInsideData()};
    return samples[which];
}

const char* const NAMES[] = {"save TPL", "text 1 MB", "random 1 MB", "zeros 1 MB", "run inside data 1 MB"};
constexpr int SAMPLE_COUNT = 5;

template <bool Optimal> void BM_Compress(benchmark::State& state)
{
    const Bytes& input = sample(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        auto out = Optimal ? tools::compressLz77(input) : tools::compressLz77Greedy(input);
        size = out->size();
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(input.size()) * state.iterations());
    state.counters["in"] = static_cast<double>(input.size());
    state.counters["out"] = static_cast<double>(size);
    state.counters["ratio%"] = 100.0 * static_cast<double>(size) / static_cast<double>(input.size());
    state.SetLabel(NAMES[state.range(0)]);
}

void BM_Decompress(benchmark::State& state)
{
    const Bytes& input = sample(static_cast<int>(state.range(0)));
    const Bytes packed = *tools::compressLz77(input);
    for (auto _ : state) {
        auto out = tools::decompressLz77(packed);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(input.size()) * state.iterations());
    state.SetLabel(NAMES[state.range(0)]);
}

} // namespace

BENCHMARK(BM_Compress<true>)->Name("Lz77Optimal")->DenseRange(0, SAMPLE_COUNT - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compress<false>)->Name("Lz77Greedy")->DenseRange(0, SAMPLE_COUNT - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decompress)->Name("Lz77Decompress")->DenseRange(0, SAMPLE_COUNT - 1)->Unit(benchmark::kMillisecond);
