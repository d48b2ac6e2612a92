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
