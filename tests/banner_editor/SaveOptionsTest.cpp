#include "banner_editor/SaveOptions.h"

#include <gtest/gtest.h>

#include "BannerModelFixture.h"
#include "platform/TextCodec.h"

using namespace banner_editor;

namespace {

platform::Bytes bytesOf(std::string_view text)
{
    return platform::Bytes(text.begin(), text.end());
}

} // namespace

TEST(CutPadding, CutsAfterTheLayoutsEnd)
{
    using namespace std::string_view_literals;
    // Nested groups: the layout ends at the last group end, not at the first.
    const auto nested = bytesOf("RLYT....grs1\0\0\0\x08grs1\0\0\0\x08gre1\0\0\0\x08gre1\0\0\0\x08"sv);
    auto padded = nested;
    padded.resize(nested.size() + 40, 0);
    CutPadding(padded);
    EXPECT_EQ(padded, nested);

    // Without a group end: after the root group's name.
    const auto rootOnly = bytesOf("RLYTgrp1\0\0\0\x10\0\0\0\0\0\0\0\0\0\0\0RootGroup"sv);
    auto cut = rootOnly;
    cut.resize(rootOnly.size() + 7, 0);
    CutPadding(cut);
    EXPECT_EQ(cut, rootOnly);

    // Neither marker: the zero bytes after the size the header states.
    const auto plain = bytesOf("RLYT\xFE\xFF\0\x08\0\0\0\x10grp1"sv);
    auto plainPadded = plain;
    plainPadded.resize(plain.size() + 9, 0);
    CutPadding(plainPadded);
    EXPECT_EQ(plainPadded, plain);

    // Left as it is: no marker and bytes other than zero after the stated size, or a size that is
    // out of range, or a buffer too short for a header.
    for (auto unknown : {bytesOf("RLYT\xFE\xFF\0\x08\0\0\0\x0Cgrp1"sv), bytesOf("RLYT\xFE\xFF\0\x08\0\0\0\x04\0\0"sv),
                         bytesOf("RLYT\0\0\0\0\0\0"sv)}) {
        const auto copy = unknown;
        CutPadding(unknown);
        EXPECT_EQ(unknown, copy);
    }
}

// Real layouts from other projects: loading and saving them without edits keeps every byte.
TEST(RealLayouts, LoadAndSaveKeepEveryByte)
{
    const auto real = test_support::realDataFolder("brlyt");
    if (real.empty())
        GTEST_SKIP() << "real layouts not available";
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(real)) {
        if (entry.path().extension() != ".brlyt")
            continue;
        ++seen;
        SCOPED_TRACE(entry.path().filename().string());
        const auto original = test_support::readAll(entry.path());
        test_support::TempFolder folder;
        const auto copy = folder.write("games/title/banner.brlyt", original);
        test_support::RecordingSink sink;
        BannerModel model(sink, folder.path());
        model.commandLineMode = true;
        ASSERT_TRUE(model.setPath(platform::pathToText(copy)).ok());
        model.txtPad = u"+64";
        ASSERT_TRUE(model.save().ok());
        EXPECT_EQ(test_support::readAll(copy).size(), original.size() + 64);
        EXPECT_EQ(model.buffer(), original); // padding cut again on the reload
        model.txtPad.clear();
        ASSERT_TRUE(model.save().ok());
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_EQ(test_support::readAll(copy), original);
    }
    EXPECT_GT(seen, 0);
}
