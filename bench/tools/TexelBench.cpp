// Encode and decode throughput of the two formats the converter writes for the suite.

#include <random>

#include <benchmark/benchmark.h>

#include "tools/TexelCodec.h"

namespace {

using namespace tools;

RgbaImage picture(std::uint32_t w, std::uint32_t h)
{
    RgbaImage image(w, h);
    std::mt19937 rng(1);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(i % 4 == 3 ? ((rng() & 1) ? 255 : rng()) : rng());
    return image;
}

void setRate(benchmark::State& state, std::uint64_t pixels)
{
    state.counters["Mpixel/s"] =
        benchmark::Counter(static_cast<double>(pixels) * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void BM_Encode(benchmark::State& state)
{
    const auto format = static_cast<TexFormat>(state.range(0));
    const RgbaImage image =
        picture(static_cast<std::uint32_t>(state.range(1)), static_cast<std::uint32_t>(state.range(2)));
    for (auto _ : state) {
        auto data = encodeTexture(image, format);
        benchmark::DoNotOptimize(data);
    }
    setRate(state, std::uint64_t{image.width} * image.height);
    state.SetLabel(std::string(formatName(format)));
}

void BM_Decode(benchmark::State& state)
{
    const auto format = static_cast<TexFormat>(state.range(0));
    const RgbaImage image =
        picture(static_cast<std::uint32_t>(state.range(1)), static_cast<std::uint32_t>(state.range(2)));
    const auto data = encodeTexture(image, format);
    for (auto _ : state) {
        auto decoded = decodeTexture(*data, image.width, image.height, format);
        benchmark::DoNotOptimize(decoded);
    }
    setRate(state, std::uint64_t{image.width} * image.height);
    state.SetLabel(std::string(formatName(format)));
}

void sizes(benchmark::internal::Benchmark* b)
{
    for (const auto format : {TexFormat::RGB565, TexFormat::RGB5A3}) {
        b->Args({static_cast<long>(format), 256, 192});
        b->Args({static_cast<long>(format), 1024, 1024});
    }
    b->ArgNames({"format", "w", "h"});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Encode)->Apply(sizes);
BENCHMARK(BM_Decode)->Apply(sizes);
