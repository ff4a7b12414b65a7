// Rewriting every title of a large layout against one read plus one write of the same file: the
// whole rewrite (60 panes, each located by byte search over the full buffer, then the size fixed)
// should cost no more than five file round trips.

#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "banner_editor/LayoutBuffer.h"
#include "support/LayoutBuilder.h"
#include "support/TempFolder.h"

namespace {

using test_support::LayoutBuilder;

std::vector<std::string> titlePaneNames()
{
    std::vector<std::string> names;
    for (const auto& language : test_support::layoutLanguages())
        for (int i = 0; names.size() < 60 && i < 9; ++i)
            names.push_back("T_VCTitle_" + language + "_" + std::to_string(i));
    return names;
}

// About 100 KB: 60 title panes, 300 materials and 480 picture panes. With lengthsPastSection, every
// title pane stores its lengths as other layout tools do (past the end of its section), so each read
// and rewrite looks for the text's terminator.
platform::Bytes buildLargeLayout(bool lengthsPastSection)
{
    LayoutBuilder b = LayoutBuilder::vcBanner();
    b.textPanes.clear();
    for (int i = 0; b.materials.size() < 300; ++i)
        b.material("Mat" + std::to_string(i), {1, 2, 3, 255}, {4, 5, 6, 255});
    for (int i = 0; b.picturePanes.size() < 480; ++i)
        b.picture("Pic" + std::to_string(i), "Mat" + std::to_string(i % 300));
    for (const auto& name : titlePaneNames()) {
        b.text(name, u"Some Classic Game^Subtitle", 0x40);
        if (lengthsPastSection)
            b.withDefect(test_support::LayoutDefect::LengthsPastSection, name);
    }
    return b.build();
}

const platform::Bytes& largeLayout()
{
    static const platform::Bytes layout = buildLargeLayout(false);
    return layout;
}

void BM_RewriteEveryTitle(benchmark::State& state)
{
    const auto names = titlePaneNames();
    for (auto _ : state) {
        platform::Bytes buffer = largeLayout();
        for (const auto& name : names)
            banner_editor::Set_Txt1_Text(buffer, name, u"Another Game Title^Part II");
        banner_editor::Set_File_Len(buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["bytes"] = static_cast<double>(largeLayout().size());
    state.counters["panes"] = static_cast<double>(names.size());
}
BENCHMARK(BM_RewriteEveryTitle)->Unit(benchmark::kMicrosecond);

// The same rewrite when every pane's stored text length runs past its section.
void BM_RewriteEveryTitleWithLengthsPastSection(benchmark::State& state)
{
    const auto names = titlePaneNames();
    const platform::Bytes layout = buildLargeLayout(true);
    for (auto _ : state) {
        platform::Bytes buffer = layout;
        for (const auto& name : names)
            banner_editor::Set_Txt1_Text(buffer, name, u"Another Game Title^Part II");
        banner_editor::Set_File_Len(buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_RewriteEveryTitleWithLengthsPastSection)->Unit(benchmark::kMicrosecond);

// Locating and decoding alone, for comparison with the rewrite.
void BM_ReadEveryTitle(benchmark::State& state)
{
    const auto names = titlePaneNames();
    for (auto _ : state)
        for (const auto& name : names)
            benchmark::DoNotOptimize(banner_editor::Get_Txt1_Text(largeLayout(), name));
}
BENCHMARK(BM_ReadEveryTitle)->Unit(benchmark::kMicrosecond);

void BM_ReadAndWriteFile(benchmark::State& state)
{
    test_support::TempFolder folder;
    const auto path = folder / "banner.brlyt";
    if (!banner_editor::writeLayoutFile(path, largeLayout()).ok()) {
        state.SkipWithError("cannot write the layout file");
        return;
    }
    for (auto _ : state) {
        auto buffer = banner_editor::readLayoutFile(path);
        if (!buffer.ok() || !banner_editor::writeLayoutFile(path, *buffer).ok()) {
            state.SkipWithError("file round trip failed");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(largeLayout().size());
}
BENCHMARK(BM_ReadAndWriteFile)->Unit(benchmark::kMicrosecond);

} // namespace
