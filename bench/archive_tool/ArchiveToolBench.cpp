// Packs a generated 64 MiB folder of mixed files into an archive and extracts it again, and compares
// the throughput with the least work any packer or extractor must do: zlib's compress() on each
// ".zlib" file and a copy of every other file (uncompress() and copies to extract), in memory. Two
// more pairs separate the archive code from the file system: extraction to memory against zlib
// direct, and extraction to files against zlib direct plus the same atomic file writes.
//
// Peak memory of one pack and one extract is measured as the rise of the resident set's high-water
// mark during the run and reported beside the bound: the archive's size plus the largest member.

#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <zlib.h>

#include "archive_tool/CcfExtractor.h"
#include "archive_tool/CcfPacker.h"
#include "archive_tool/CcfReader.h"
#include "archive_tool/ZlibCodec.h"
#include "platform/Files.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::Bytes;

constexpr std::size_t MiB = 1024 * 1024;

struct FileSpec
{
    std::string name;
    Bytes content;
};

Bytes randomBytes(std::size_t n, std::mt19937& random)
{
    Bytes out(n);
    for (std::size_t i = 0; i + 4 <= n; i += 4) {
        const auto v = random();
        std::memcpy(out.data() + i, &v, 4);
    }
    return out;
}

// Text of words drawn at random: compresses to roughly a third, like real script and data files.
Bytes wordText(std::size_t n, std::mt19937& random)
{
    static const char* const words[] = {"banner", "title", "save",   "icon",   "channel", "player", "score", "stage",
                                        "level",  "bonus", "the",    "of",     "and",     "press",  "start", "continue",
                                        "game",   "over",  "select", "option", "sound",   "music"};
    Bytes out;
    out.reserve(n + 16);
    while (out.size() < n) {
        const std::string word = words[random() % std::size(words)];
        out.insert(out.end(), word.begin(), word.end());
        out.push_back(random() % 12 == 0 ? '\n' : ' ');
        if (random() % 50 == 0) {
            const auto number = std::to_string(random() % 100000);
            out.insert(out.end(), number.begin(), number.end());
        }
    }
    out.resize(n);
    return out;
}

// 64 MiB: compressible text stored compressed and stored plain, random data stored plain, and
// random data marked for compression (which zlib cannot shrink).
std::vector<FileSpec> mixedFolder()
{
    std::mt19937 random(2026);
    std::vector<FileSpec> files;
    for (int i = 0; i < 8; ++i)
        files.push_back({"script" + std::to_string(i) + ".txt.zlib", wordText(3 * MiB, random)});
    for (int i = 0; i < 4; ++i)
        files.push_back({"Texture" + std::to_string(i) + ".bin", randomBytes(6 * MiB, random)});
    for (int i = 0; i < 8; ++i)
        files.push_back({"notes" + std::to_string(i) + ".txt", wordText(MiB, random)});
    for (int i = 0; i < 2; ++i)
        files.push_back({"rom" + std::to_string(i) + ".zlib", randomBytes(4 * MiB, random)});
    return files;
}

std::size_t totalSize(const std::vector<FileSpec>& files)
{
    std::size_t total = 0;
    for (const auto& f : files)
        total += f.content.size();
    return total;
}

bool isZlib(const std::string& name)
{
    return name.size() > 5 && name.compare(name.size() - 5, 5, ".zlib") == 0;
}

std::size_t statusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stoull(line.substr(std::strlen(field))) * 1024;
    }
    return 0;
}

// Runs action once and returns how far the resident set's high-water mark rose above where it stood
// (the mark is reset through /proc/self/clear_refs).
template <typename Action> std::size_t peakRise(Action action)
{
    malloc_trim(0);
    const std::size_t before = statusField("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5";
    action();
    const std::size_t peak = statusField("VmHWM:");
    return peak > before ? peak - before : 0;
}

// The generated folder on disk, made once, with the peak memory of its first pack and extract
// (measured before any benchmark has run, so earlier allocations do not blur the marks).
struct Workload
{
    test_support::TempFolder folder;
    fs::path source = folder / "bench_ccf_OUT";
    fs::path archive = folder / "bench.ccf";
    std::size_t bytes = 0;
    std::size_t largest = 0;
    std::size_t packPeak = 0;
    std::size_t extractPeak = 0;

    Workload()
    {
        {
            const auto files = mixedFolder();
            bytes = totalSize(files);
            for (const auto& f : files) {
                folder.write("bench_ccf_OUT/" + f.name, f.content);
                largest = std::max(largest, f.content.size());
            }
        }
        // Large blocks straight from and back to the system, as in a fresh run: without this, glibc
        // raises its mmap threshold after the generator's frees and serves later buffers from a
        // heap that keeps freed memory, and the marks would measure that history.
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        packPeak = peakRise([&] {
            if (!archive_tool::packFolder(source, archive).ok())
                std::abort();
        });
        extractPeak = peakRise([&] { (void)archive_tool::extractArchive(archive, folder / "first", "bench.ccf"); });
    }
};

Workload& workload()
{
    static Workload w;
    return w;
}

void reportPeak(benchmark::State& state, std::size_t peak)
{
    auto& w = workload();
    state.counters["peak_MiB"] = static_cast<double>(peak) / MiB;
    state.counters["bound_MiB"] = static_cast<double>(fs::file_size(w.archive) + w.largest) / MiB;
}

void BM_Pack(benchmark::State& state)
{
    auto& w = workload();
    const fs::path out = w.folder / "packed.ccf";
    reportPeak(state, w.packPeak);
    for (auto _ : state) {
        auto report = archive_tool::packFolder(w.source, out);
        if (!report.ok())
            state.SkipWithError(report.error().message.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

void BM_ZlibDirectPack(benchmark::State& state)
{
    workload(); // made (and its memory measured) before this benchmark's own allocations
    const auto files = mixedFolder();
    for (auto _ : state) {
        for (const auto& f : files) {
            if (isZlib(f.name)) {
                uLongf length = compressBound(static_cast<uLong>(f.content.size()));
                Bytes out(length);
                compress(out.data(), &length, f.content.data(), static_cast<uLong>(f.content.size()));
                benchmark::DoNotOptimize(out.data());
            } else {
                Bytes copy(f.content);
                benchmark::DoNotOptimize(copy.data());
            }
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * totalSize(files)));
}

void BM_Extract(benchmark::State& state)
{
    auto& w = workload();
    const fs::path out = w.folder / "extracted";
    reportPeak(state, w.extractPeak);
    for (auto _ : state) {
        auto report = archive_tool::extractArchive(w.archive, out, "bench.ccf");
        if (!report.ok() || !report->complete())
            state.SkipWithError("extraction failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

// The members as the archive stores them: stored bytes and size after extraction.
struct StoredMember
{
    std::string name;
    Bytes stored;
    std::size_t size;
};

std::vector<StoredMember> storedMembers()
{
    std::vector<StoredMember> members;
    for (const auto& f : mixedFolder()) {
        if (isZlib(f.name)) {
            uLongf length = compressBound(static_cast<uLong>(f.content.size()));
            Bytes out(length);
            compress(out.data(), &length, f.content.data(), static_cast<uLong>(f.content.size()));
            out.resize(length);
            members.push_back({f.name, std::move(out), f.content.size()});
        } else {
            members.push_back({f.name, f.content, f.content.size()});
        }
    }
    return members;
}

Bytes unpackDirect(const StoredMember& m)
{
    Bytes out(m.size);
    if (m.stored.size() != m.size) {
        uLongf length = m.size;
        uncompress(out.data(), &length, m.stored.data(), static_cast<uLong>(m.stored.size()));
    } else {
        std::memcpy(out.data(), m.stored.data(), m.size);
    }
    return out;
}

void BM_ZlibDirectExtract(benchmark::State& state)
{
    const auto members = storedMembers();
    for (auto _ : state) {
        for (const auto& m : members) {
            auto out = unpackDirect(m);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * workload().bytes));
}

// The archive code's share of an extraction: table, bounds and inflation, members left in memory.
void BM_ExtractToMemory(benchmark::State& state)
{
    auto& w = workload();
    const auto archive = platform::readFile(w.archive);
    for (auto _ : state) {
        auto table = archive_tool::readCcfTable(archive.value());
        for (const auto& entry : table->entries) {
            auto data = archive_tool::memberData(archive.value(), entry);
            if (entry.compressed()) {
                auto out = archive_tool::inflateExactly(data.value(), entry.OrigSize);
                benchmark::DoNotOptimize(out->data());
            } else {
                Bytes out(data->begin(), data->end());
                benchmark::DoNotOptimize(out.data());
            }
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

// zlib direct, then each member written as the extractor writes it (atomically, flushed to disk).
void BM_ZlibDirectExtractAndWrite(benchmark::State& state)
{
    auto& w = workload();
    const auto members = storedMembers();
    const fs::path out = w.folder / "direct";
    fs::create_directories(out);
    for (auto _ : state) {
        for (const auto& m : members) {
            const auto bytes = unpackDirect(m);
            if (!platform::writeFileAtomic(out / m.name, bytes).ok())
                state.SkipWithError("write failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

} // namespace

BENCHMARK(BM_ZlibDirectPack)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ZlibDirectExtract)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ExtractToMemory)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ZlibDirectExtractAndWrite)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_Extract)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
