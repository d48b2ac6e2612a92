#include "model/Texts.h"
#include "platform/Cp932Codec.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(Texts, EveryConstantDecodesToItsSpelling) {
    for (int i = 0; i < texts::kAllTextsCount; ++i) {
        const texts::TextPair& pair = texts::kAllTexts[i];
        EXPECT_EQ(Cp932Codec::decode(*pair.bytes), QString::fromUtf8(pair.utf8)) << pair.utf8;
        EXPECT_EQ(Cp932Codec::encode(QString::fromUtf8(pair.utf8)), *pair.bytes) << pair.utf8;
    }
}

TEST(Cp932Codec, InvalidBytesAndUnencodableCharacters) {
    EXPECT_EQ(Cp932Codec::decode("\\"), QStringLiteral("\\"));
    EXPECT_EQ(Cp932Codec::decode("\x81\x60"), QString(QChar(0xFF5E)));
    // A lone trail-less lead byte and a byte no table holds each become one U+FFFD.
    EXPECT_EQ(Cp932Codec::decode("a\x81"), QStringLiteral("a") + QChar(0xFFFD));
    EXPECT_EQ(Cp932Codec::decode("\xA0z"), QString(QChar(0xFFFD)) + QStringLiteral("z"));
    bool lossy = false;
    EXPECT_EQ(Cp932Codec::encode(QStringLiteral("a😀b"), &lossy), "a?b");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(Cp932Codec::encode(QStringLiteral("ポ"), &lossy), "\x83\x7C");
    EXPECT_FALSE(lossy);
}
