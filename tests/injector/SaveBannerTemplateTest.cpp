// The head of every NeoGeo banner.bin comes from the template in the program folder: the shipped one
// serves, and a template that is short or not a save banner's head is refused.
#include "injector/SaveBannerTemplate.h"

#include <gtest/gtest.h>

#include "support/InjectorTitleBuilders.h"
#include "support/TempFolder.h"

using platform::Bytes;

TEST(SaveBannerTemplate, HeadIsTheFirst32BytesOfAShippedSaveBannerHead)
{
    const auto shipped = std::filesystem::path(SUITE_SOURCE_DIR) / "data";
    const Bytes head = test_support::readAll(shipped / "templates/tpl_neogeo_header.bin");
    EXPECT_EQ(injector::neoGeoBannerHead(shipped).value(), head);

    test_support::TempFolder program;
    struct Case
    {
        Bytes bytes; // empty: no template at all
        platform::ErrorKind kind;
    };
    const std::vector<Case> refused = {
        {{}, platform::ErrorKind::NotFound},
        {test_support::saveBanner(31, 0), platform::ErrorKind::BadFormat},
        {Bytes(32, 0), platform::ErrorKind::BadFormat},
    };
    for (const auto& c : refused) {
        std::filesystem::remove(program / "templates/tpl_neogeo_header.bin");
        if (!c.bytes.empty())
            program.write("templates/tpl_neogeo_header.bin", c.bytes);
        const auto r = injector::neoGeoBannerHead(program.path());
        ASSERT_FALSE(r.ok()) << c.bytes.size();
        EXPECT_EQ(r.error().kind, c.kind);
        EXPECT_NE(r.error().message.find("tpl_neogeo_header.bin"), std::string::npos) << r.error().message;
    }
    program.write("templates/tpl_neogeo_header.bin", test_support::saveBanner(64, 9));
    EXPECT_EQ(injector::neoGeoBannerHead(program.path()).value(), test_support::saveBanner(32, 9));
}
