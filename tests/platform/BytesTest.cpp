#include "platform/Bytes.h"

#include <gtest/gtest.h>

#include "platform/ByteReader.h"

using namespace platform;

TEST(Bytes, FindsFirstAndLastOccurrence)
{
    const Bytes hay = bytesOf("abcabcab");
    EXPECT_EQ(findBytes(hay, bytesOf("cab")), 2u);
    EXPECT_EQ(findBytes(hay, bytesOf("cab"), 3), 5u);
    EXPECT_EQ(findBytes(hay, bytesOf("cab"), 6), NOT_FOUND);
    EXPECT_EQ(findBytes(hay, bytesOf("x")), NOT_FOUND);
    EXPECT_EQ(findBytes(hay, bytesOf("abcabcabc")), NOT_FOUND);
    EXPECT_EQ(findBytes(hay, {}, 4), 4u);
    EXPECT_EQ(findBytes(hay, bytesOf("a"), 99), NOT_FOUND);
    EXPECT_EQ(findLastBytes(hay, bytesOf("ab")), 6u);
    EXPECT_EQ(findLastBytes(hay, bytesOf("zz")), NOT_FOUND);
}

TEST(Bytes, ReplacesEveryOccurrenceLeftToRight)
{
    EXPECT_EQ(replaceAllBytes(bytesOf("aaaa"), bytesOf("aa"), bytesOf("b")), bytesOf("bb"));
    EXPECT_EQ(replaceAllBytes(bytesOf("xLENGy"), bytesOf("LENG"), bytesOf("LGER")), bytesOf("xLGERy"));
    EXPECT_EQ(replaceAllBytes(bytesOf("abc"), bytesOf("zz"), bytesOf("q")), bytesOf("abc"));
    EXPECT_EQ(replaceAllBytes(bytesOf("abc"), {}, bytesOf("q")), bytesOf("abc"));
}

TEST(ByteReader, ReadsBigAndLittleEndian)
{
    const Bytes data{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    ByteReader r(data);
    EXPECT_EQ(r.be16(), 0x1234);
    EXPECT_EQ(r.le16(), 0x7856);
    r.seek(0);
    EXPECT_EQ(r.be32(), 0x12345678u);
    r.seek(0);
    EXPECT_EQ(r.le32(), 0x78563412u);
    EXPECT_EQ(r.remaining(), 2u);
    EXPECT_FALSE(r.failed());
}

TEST(ByteReader, ShortReadIsStickyAndYieldsZero)
{
    const Bytes data{1, 2, 3};
    ByteReader r(data);
    EXPECT_EQ(r.be16(), 0x0102);
    EXPECT_EQ(r.be32(), 0u); // only one byte left
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.u8(), 0); // stays failed even though a byte remains
    EXPECT_TRUE(r.bytes(1).empty());
    EXPECT_EQ(r.remaining(), 0u);

    ByteReader s(data);
    s.seek(4);
    EXPECT_TRUE(s.failed());
    ByteReader t(data);
    t.skip(static_cast<std::size_t>(-1)); // huge counts must not wrap around
    EXPECT_TRUE(t.failed());
}

TEST(ByteWriter, AppendsAndAligns)
{
    ByteWriter w;
    w.text("txt1").be32(0x80).be16(0x0A0B).le16(0x0102).u8(7).alignTo(4);
    EXPECT_EQ(w.data(), (Bytes{'t', 'x', 't', '1', 0, 0, 0, 0x80, 0x0A, 0x0B, 0x02, 0x01, 7, 0, 0, 0}));
    w.alignTo(4);
    EXPECT_EQ(w.size(), 16u);
}
