// Mintrel's "make all" (save data, channel picture and channel icon) for SNES (one five-image TPL) and
// Genesis (the WTE set: five converter runs), from the bundled sample picture, through the real
// tpl_converter. Measured whole (the built program started as an unattended run) and in process (the
// model's make()), with its parts beside it: one converter run, the frame composition, and an
// atomic file write.

#include <QCoreApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include "icon_generator/GeneratorModel.h"
#include "icon_generator/MintrelFixture.h"
#include "icon_generator/OutputNames.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "support/RecordingSink.h"
#include "textures/ImageAdapter.h"
#include "textures/TextureTools.h"

namespace {

namespace fs = std::filesystem;
using namespace icon_generator;

const fs::path SAMPLE = fs::path(SUITE_SOURCE_DIR) / "samples" / "mintrel" / "moon_racer.png";

struct Setup
{
    mintrel_test::ProgramFolder folder{true};
    test_support::TempFolder out;
};

void wholeProgram(benchmark::State& state, const char* system)
{
    Setup setup;
    fs::copy_file(fs::path(SUITE_OUTPUT_DIR) / "Mintrel", setup.folder / "Mintrel");
    const QStringList args{"-sys", system,
                           "-s",   QString::fromStdString(SAMPLE.string()),
                           "-d",   QString::fromStdString((setup.out.path() / "").string())};
    for (auto _ : state) {
        QProcess process;
        process.start(QString::fromStdString((setup.folder / "Mintrel").string()), args);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError("Mintrel failed");
    }
}

void inProcess(benchmark::State& state, int console)
{
    Setup setup;
    test_support::RecordingSink sink("Mintrel");
    GeneratorModel model(sink, setup.folder.path(), true);
    model.selectConsole(console);
    for (auto _ : state) {
        model.selectConsole(console); // fresh templates, as a new run has
        model.setSourceText(platform::pathToText(SAMPLE));
        model.setDestinationText(platform::pathToText(setup.out.path()) + u"/");
        auto report = model.make();
        if (!report || !report->complete())
            state.SkipWithError("make failed");
    }
}

void BM_UnattendedMakeAll_Snes(benchmark::State& state)
{
    wholeProgram(state, "snes");
}
void BM_UnattendedMakeAll_Genesis(benchmark::State& state)
{
    wholeProgram(state, "gen");
}
void BM_ModelMakeAll_Snes(benchmark::State& state)
{
    inProcess(state, 2);
}
void BM_ModelMakeAll_Genesis(benchmark::State& state)
{
    inProcess(state, 5);
}

// One converter run on one 48 x 48 frame: process start, TGA read, encoding, TPL write.
void BM_OneConverterRun(benchmark::State& state)
{
    Setup setup;
    test_support::RecordingSink sink;
    if (!textures::SaveImage(mintrel_test::solid({48, 48}, 0xFF336699), setup.folder / "in.tga"))
        state.SkipWithError("no scratch picture");
    for (auto _ : state)
        if (!textures::MakeTpl(sink, setup.out / "one.tpl", "single.tcs", setup.folder.path()))
            state.SkipWithError("converter failed");
}

// Loading the sample, composing the five frames and the two channel pictures.
void BM_LoadAndCompose(benchmark::State& state)
{
    Setup setup;
    test_support::RecordingSink sink;
    GeneratorModel model(sink, setup.folder.path(), true);
    for (auto _ : state) {
        model.selectConsole(2);
        auto source = textures::LoadImage(SAMPLE);
        Frames frames = model.frames();
        ComposeFrames(frames, *source, 2);
        benchmark::DoNotOptimize(resizedPicture(*source, CHANNEL_PICTURE_SIZE));
        benchmark::DoNotOptimize(resizedPicture(*source, CHANNEL_ICON_SIZE));
    }
}

// One atomic write of a 43 KB texture (temporary file, flush to the device, rename).
void BM_AtomicWrite(benchmark::State& state)
{
    Setup setup;
    const platform::Bytes bytes(43264, 7);
    for (auto _ : state)
        if (!platform::writeFileAtomic(setup.out / "banner.tpl", bytes))
            state.SkipWithError("write failed");
}

} // namespace

BENCHMARK(BM_UnattendedMakeAll_Snes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnattendedMakeAll_Genesis)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ModelMakeAll_Snes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ModelMakeAll_Genesis)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OneConverterRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadAndCompose)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AtomicWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
