#include "platform/TextCodec.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TextCodec, Utf8RoundTripsThroughUtf16)
{
    const std::string samples[] = {"", "plain", "Pokémon", "ゼルダの伝説", "\xF0\x9F\x8E\xAE game"};
    for (const auto& s : samples)
        EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(s)), s);
    EXPECT_EQ(utf16FromUtf8("\xF0\x9F\x8E\xAE").size(), 2u); // a surrogate pair
}

TEST(TextCodec, BrokenUtf8BecomesReplacementCharacters)
{
    EXPECT_EQ(utf16FromUtf8("a\xFF"
                            "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf16FromUtf8("\xE3\x81"), u"\uFFFD\uFFFD"); // cut off at the end
    EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong form of '/'
    EXPECT_EQ(utf8FromUtf16(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextCodec, Latin1MapsEachByteToItsCode)
{
    const Bytes all = [] {
        Bytes b;
        for (int i = 0; i < 256; ++i)
            b.push_back(static_cast<std::uint8_t>(i));
        return b;
    }();
    EXPECT_EQ(latin1FromText(textFromLatin1(all)), all);
    EXPECT_EQ(latin1FromText(u"é\u3042"), (Bytes{0xE9, '?'}));
}

TEST(TextCodec, ShiftJisUsesCodePage932)
{
    struct Case
    {
        Bytes sjis;
        std::u16string text;
    } cases[] = {
        {{0x82, 0xA0}, u"\u3042"}, // hiragana a
        {{0x88, 0x9F}, u"\u4E9C"}, // kanji
        {{0xB1}, u"\uFF71"},       // half-width katakana
        {{0x87, 0x40}, u"\u2460"}, // NEC special: circled one
        {{0xFA, 0x40}, u"\u2170"}, // IBM extension: small roman one
        {{0x5C, 0x7E}, u"\\~"},    // ASCII in this code page, not yen and overline
        {{0x81, 0x60}, u"\uFF5E"}, // full-width tilde
        {{'A', 0x81, 0x7C}, u"A\uFF0D"},
    };
    for (const auto& c : cases) {
        auto decoded = decodeShiftJis(c.sjis);
        ASSERT_TRUE(decoded.ok()) << decoded.error().message;
        EXPECT_EQ(decoded.value(), c.text);
        auto encoded = encodeShiftJis(c.text);
        ASSERT_TRUE(encoded.ok()) << encoded.error().message;
        EXPECT_EQ(encoded.value(), c.sjis);
    }
}

TEST(TextCodec, ShiftJisRejectsWhatTheCodePageLacks)
{
    auto bad = decodeShiftJis(Bytes{'a', 0x80});
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().kind, ErrorKind::BadFormat);
    EXPECT_FALSE(decodeShiftJis(Bytes{0x82}).ok()); // lead byte at the end
    auto unencodable = encodeShiftJis(u"ab\u0100");
    ASSERT_FALSE(unencodable.ok());
    EXPECT_NE(unencodable.error().message.find("position 3"), std::string::npos) << unencodable.error().message;
    EXPECT_TRUE(encodeShiftJis(u"").ok());
}

TEST(TextCodec, CaseAndSpaces)
{
    EXPECT_EQ(asciiUpper(u"title é"), u"TITLE é");
    EXPECT_TRUE(equalsIgnoringCase("IconVCpic.tga", "iconvcpic.TGA"));
    EXPECT_FALSE(equalsIgnoringCase("a", "ab"));
    EXPECT_EQ(trimSpaces(u"  a b  "), u"a b");
    EXPECT_EQ(trimSpaces(u"   "), u"");
    EXPECT_EQ(trimSpaces(u"\ta "), u"\ta");
}
