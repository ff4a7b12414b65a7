#include "platform/RememberedPlaces.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using platform::RememberedPlaces;
using test_support::TempFolder;

TEST(RememberedPlaces, ValuesSurviveANewInstanceOnTheSameProgramFolder)
{
    TempFolder program;
    program.write("games/vc/banner.brlyt", std::string("RLYT"));
    {
        RememberedPlaces places(program.path(), "Stavik.cfg");
        EXPECT_EQ(places.value("destination"), u"");
        places.remember("destination", u"\\games\\vc\\00000001.app");
        places.remember("title", u"Mücke = Moon^Quest");
        places.remember("broken", u"two\nlines");
        places.rememberDialogPath("open", program / "games/vc/banner.brlyt");
    }
    RememberedPlaces again(program.path(), "Stavik.cfg");
    EXPECT_EQ(again.value("destination"), u"\\games\\vc\\00000001.app");
    EXPECT_EQ(again.value("title"), u"Mücke = Moon^Quest");
    EXPECT_EQ(again.value("broken"), u"") << "a value with a line break is not stored";
    EXPECT_EQ(again.dialogFolder("open"), program / "games/vc");

    // A remembered folder that is gone opens nowhere in particular.
    std::filesystem::remove_all(program / "games");
    EXPECT_EQ(again.dialogFolder("open"), std::filesystem::path());
}

TEST(RememberedPlaces, AProgramFolderThatCannotHoldTheFileStopsNothing)
{
    TempFolder program;
    program.write("cfgs", std::string("a file where the folder should be"));
    RememberedPlaces places(program.path(), "Cramble.cfg");
    places.remember("archive", u"\\data.ccf");
    EXPECT_EQ(places.value("archive"), u"\\data.ccf") << "kept for this run";
    EXPECT_EQ(test_support::readAll(program / "cfgs"), platform::bytesOf("a file where the folder should be"));
}
