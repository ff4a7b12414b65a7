#include "injector/TitleEncoding.h"

#include <gtest/gtest.h>

using injector::Asc2Uni;
using injector::Asc2UniShift;
using injector::JIS2ASC;
using injector::JIS2Uni;
using injector::reverseUni;
using injector::Uni2Asc;
using platform::Bytes;

TEST(TitleEncoding, Utf16BigEndianRoundTripsWithLineMarks)
{
    EXPECT_EQ(Asc2Uni(u"A^b"), (Bytes{0x00, 0x41, 0x00, 0x0A, 0x00, 0x62}));
    EXPECT_EQ(Uni2Asc(Bytes{0x00, 0x41, 0x00, 0x0A, 0x00, 0x62}), u"A^b");
    EXPECT_TRUE(Asc2Uni(u"").empty());
    EXPECT_EQ(Asc2Uni(u"\u3042"), (Bytes{0x30, 0x42}));
    EXPECT_EQ(Uni2Asc(Bytes{}), u"");
}

TEST(TitleEncoding, Utf16DecoderDropsNulAndAFinalOddByte)
{
    EXPECT_EQ(Uni2Asc(Bytes{0x00, 0x41, 0x00, 0x00, 0x00, 0x42}), u"AB");
    EXPECT_EQ(Uni2Asc(Bytes{0x00, 0x41, 0x00}), u"A");
    EXPECT_EQ(Uni2Asc(Bytes(128, 0)), u"");
}

TEST(TitleEncoding, ReverseUniSwapsPairsAndCompletesOddInput)
{
    EXPECT_EQ(reverseUni(Bytes{0x41, 0x00, 0x42}), (Bytes{0x00, 0x41, 0x00, 0x42}));
    EXPECT_EQ(reverseUni(Bytes{0x00, 0x47, 0x00, 0x61}), (Bytes{0x47, 0x00, 0x61, 0x00}));
    EXPECT_TRUE(reverseUni(Bytes{}).empty());
}

TEST(TitleEncoding, ShiftJisEncoderWritesWholePairs)
{
    struct Case
    {
        std::u16string text;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {u"abc", {0x61, 0x62, 0x63, 0x00}},
        {u"ab", {0x61, 0x62}},
        {u"", {}},
        {u"a^b", {0x61, 0x0A, 0x62, 0x00}},
        {u"\u3042", {0x82, 0xA0}},
        // Mixed widths: the odd byte count is completed, nothing of the text is cut.
        {u"\u3042a", {0x82, 0xA0, 0x61, 0x00}},
        {u"a\u3042", {0x61, 0x82, 0xA0, 0x00}},
        {u"\uFF71", {0xB1, 0x00}}, // half-width katakana is one byte
    };
    for (const auto& c : cases) {
        auto r = JIS2Uni(c.text);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(*r, c.bytes) << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_FALSE(JIS2Uni(u"\U0001F600").ok()); // no code in CP932
}

TEST(TitleEncoding, ShiftJisDecoderEndsWithNulAndSurvivesBadBytes)
{
    EXPECT_EQ(JIS2ASC(Bytes{0x82, 0xA0, 0x61}), std::u16string(u"\u3042a") + u'\0');
    EXPECT_EQ(JIS2ASC(Bytes{0x61, 0x00, 0x62}), std::u16string(u"a") + u'\0' + u"b" + u'\0');
    const std::u16string bad = JIS2ASC(Bytes{0x61, 0xFF, 0x62});
    EXPECT_EQ(bad, std::u16string(u"a\uFFFDb") + u'\0');
}

TEST(TitleEncoding, ShiftedBodyInterleavesZerosAndMovesTrimmedSpacesToTheEnd)
{
    EXPECT_EQ(Asc2UniShift(u"ab"), (Bytes{0x61, 0x00, 0x62}));
    EXPECT_EQ(Asc2UniShift(u" ab"), (Bytes{0x61, 0x00, 0x62, 0x00, 0x00}));
    EXPECT_EQ(Asc2UniShift(u"a^b "), (Bytes{0x61, 0x00, 0x0A, 0x00, 0x62, 0x00, 0x00}));
    EXPECT_EQ(Asc2UniShift(u"\u00E9"), (Bytes{0xE9}));
    // After FE FF 00 the body reads as UTF-16BE.
    Bytes file = {0xFE, 0xFF, 0x00};
    const Bytes body = Asc2UniShift(u"Hi\r\n");
    file.insert(file.end(), body.begin(), body.end());
    EXPECT_EQ(file, (Bytes{0xFE, 0xFF, 0x00, 'H', 0x00, 'i', 0x00, 0x0D, 0x00, 0x0A}));
}
