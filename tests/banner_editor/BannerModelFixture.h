#pragma once

// A temporary program folder with a layout two folders deep ("games/<title>/banner.brlyt", so the
// texture folder "games/timg" lies beside the layout's folder) and a model on that program folder,
// reporting to a recording sink.

#include <gtest/gtest.h>

#include "banner_editor/BannerModel.h"
#include "platform/PathText.h"
#include "support/LayoutBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace banner_test {

inline std::u16string paneText(const platform::Bytes& layout, std::string_view pane)
{
    return banner_editor::Get_Txt1_Text(layout, pane);
}

// A layout whose text panes are all in the canonical form the save writes (no unused text-buffer
// space), so that saving does not change its length.
inline test_support::LayoutBuilder canonicalBanner(const std::vector<std::string>& languages)
{
    auto layout = test_support::LayoutBuilder::vcBanner(languages);
    for (auto& pane : layout.textPanes)
        pane.extraBufferBytes = 0;
    return layout;
}

class BannerModelFixture : public ::testing::Test
{
protected:
    BannerModelFixture() : model(sink, folder.path()) {}

    // Writes the layout and loads it through the path field; returns the layout's path.
    std::filesystem::path load(const platform::Bytes& layout, const std::string& relative = "games/title/banner.brlyt")
    {
        const auto path = folder.write(relative, layout);
        EXPECT_TRUE(model.setPath(platform::pathToText(path)).ok());
        return path;
    }

    std::filesystem::path layoutPath() const { return folder / "games/title/banner.brlyt"; }
    platform::Bytes saved() const { return test_support::readAll(layoutPath()); }

    test_support::RecordingSink sink{"Lorvane"};
    test_support::TempFolder folder;
    banner_editor::BannerModel model;
};

} // namespace banner_test
