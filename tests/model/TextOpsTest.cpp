#include "model/TextOps.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(TextOps, FieldsAtTheEdges) {
    EXPECT_EQ(getSplitCount("", ','), 1);
    EXPECT_EQ(getSplitCount("a,b,c", ','), 3);
    EXPECT_EQ(getSplitCount("a,b,", ','), 3);
    EXPECT_EQ(getSplitStrVal("a,b,c", ',', 0), "a");
    EXPECT_EQ(getSplitStrVal("a,b,c", ',', 1), "b");
    EXPECT_EQ(getSplitStrVal("a,b,c", ',', 2), "c");
    EXPECT_EQ(getSplitStrVal("a,b,c", ',', 7), "c");
    EXPECT_EQ(getSplitStrVal("a,b,c", ',', -1), "c");
    EXPECT_EQ(getSplitStrVal("abc", ',', 3), "abc");
    EXPECT_EQ(getSplitStrVal("a,,", ',', 1), "");
    EXPECT_EQ(getSplitStrVal("a,b,", ',', 2), "");
}

TEST(TextOps, SecondByteOfADoubleByteCharacterNeverSeparates) {
    const std::string po = "\x83\x7C"; // ポ: its second byte is "|"
    EXPECT_EQ(getSplitCount(po + "|x", '|'), 2);
    EXPECT_EQ(getSplitStrVal(po + "|x", '|', 0), po);
    EXPECT_EQ(getSplitStrVal(po + "|x", '|', 1), "x");

    // ゼ and ゾ end in "[" and "]"; a variable reference is cut only at the real brackets.
    const std::string ze = "\x83\x5B", zo = "\x83\x5D";
    const std::string reference = ze + zo + "[2]." + zo;
    EXPECT_EQ(getSplitStrVal(reference, '[', 0), ze + zo);
    const std::string index = getSplitStrVal(reference, '[', 1);
    EXPECT_EQ(getSplitStrVal(index, ']', 0), "2");
    EXPECT_EQ(getSplitStrVal(getSplitStrVal(index, ']', 1), '.', 1), zo);

    // A lone lead byte at the very end does not swallow anything or run past the text.
    EXPECT_EQ(getSplitCount("a,\x83", ','), 2);

    // 表 ends in "\": a name, while a real backslash or a comma before the bracket is not.
    const std::string hyo = "\x95\x5C";
    EXPECT_TRUE(isPlainName(hyo + "[0]", 2));
    EXPECT_FALSE(isPlainName("a\\b[0]", 3));
    EXPECT_FALSE(isPlainName("x,1[0]", 3));
}

TEST(TextOps, SerchStrIsAPlainByteSearch) {
    EXPECT_TRUE(serchStr("x:hen|val.file", "hen|val"));
    EXPECT_FALSE(serchStr("x:hen.w", "hen|val"));
    EXPECT_FALSE(serchStr("abc", ""));
    EXPECT_FALSE(serchStr("", "a"));
    // Unlike the separator search, it matches across character boundaries.
    EXPECT_TRUE(serchStr("\x83\x7C", "|"));
}
