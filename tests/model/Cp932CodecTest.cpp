#include "platform/Cp932Codec.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

QString chars(std::u32string_view characters) {
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}

} // namespace

TEST(Cp932Codec, EveryByteSequenceRoundTrips) {
    const auto roundTrips = [](const std::string& bytes) {
        for (const std::string& text : {bytes, "ab" + bytes + "cd"}) {
            bool lossy = true;
            if (Cp932Codec::encode(Cp932Codec::decode(text), &lossy) != text || lossy)
                return false;
        }
        return true;
    };
    for (int first = 0; first < 0x100; ++first) {
        ASSERT_TRUE(roundTrips(std::string(1, static_cast<char>(first)))) << first;
        for (int second = 0; second < 0x100; ++second) {
            const std::string pair{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_TRUE(roundTrips(pair)) << first << ' ' << second;
        }
    }
}

TEST(Cp932Codec, ValidTextDecodesAsGlibcDoes) {
    EXPECT_EQ(Cp932Codec::decode("a\\~"), QStringLiteral("a\\~"));
    EXPECT_EQ(Cp932Codec::decode("\x81\x60"), chars(U"\uFF5E"));
    EXPECT_EQ(Cp932Codec::decode("\xF0\x40"), chars(U"\uE000")); // user-defined area
    EXPECT_EQ(Cp932Codec::decode("\xB1\x83\x7C\x88\x9F"), QStringLiteral("ｱポ亜"));
    EXPECT_EQ(Cp932Codec::decode("\xFB\xFC\x81\xE0"), QStringLiteral("髙≒"));
    // Second codes of those two characters: the characters encode to the codes above.
    EXPECT_EQ(Cp932Codec::decode("\xEE\xE0\x87\x90"), chars(U"\U0010EEE0\U00108790"));
}

TEST(Cp932Codec, InvalidBytesKeepTheirNeighbours) {
    EXPECT_EQ(Cp932Codec::decode("a\x81"), chars(U"a\U000F0081"));
    EXPECT_EQ(Cp932Codec::decode("\x81 z"), chars(U"\U000F0081 z"));
    EXPECT_EQ(Cp932Codec::decode("\x82\xA0\xFF\x82\xA2"), chars(U"\u3042\U000F00FF\u3044"));
    EXPECT_EQ(Cp932Codec::decode("\x81\x7F\x82\xA0"), chars(U"\U000F0081\x7F\u3042"));
}

TEST(Cp932Codec, UnencodableCharactersBecomeQuestionMarks) {
    bool lossy = false;
    EXPECT_EQ(Cp932Codec::encode(QStringLiteral("a😀b"), &lossy), "a?b");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(Cp932Codec::encode(QStringLiteral("ポ"), &lossy), "\x83\x7C");
    EXPECT_FALSE(lossy);
    // Private-use characters that no bytes decode to, a tag character and a lone surrogate.
    const QString strays = chars(U"\U000F0041\U00108140\U000E0041") + QChar(0xD800);
    EXPECT_EQ(Cp932Codec::encode(strays, &lossy), "????");
    EXPECT_TRUE(lossy);
    // A lone lead byte typed before "A" is saved as is but reads back as another character.
    EXPECT_EQ(Cp932Codec::encode(chars(U"\U000F0081A"), &lossy), "\x81"
                                                                 "A");
    EXPECT_TRUE(lossy);
}
