// The committed tables against glibc's own CP932 conversion, which they were made from: a
// remade or hand-edited table that reads a byte otherwise fails here.
#include "model/Cp932.h"
#include "model/Utf8Text.h"

#include <gtest/gtest.h>
#include <iconv.h>

using namespace hakoniwa;

namespace {

// The UTF-32 of the whole input as glibc converts it, or nothing when it refuses it.
std::optional<std::u32string> glibcDecode(iconv_t converter, const std::string& bytes) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char32_t out[4];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(converter, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    return std::u32string(out, (sizeof out - outLeft) / sizeof(char32_t));
}

} // namespace

TEST(Cp932Tables, EveryCodeReadsAsGlibcReadsIt) {
    iconv_t toUtf32 = iconv_open("UTF-32LE", "CP932");
    iconv_t fromUtf32 = iconv_open("CP932", "UTF-32LE");
    ASSERT_NE(toUtf32, reinterpret_cast<iconv_t>(-1));
    for (int lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0x40; trail < 0x100; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const auto expected = glibcDecode(toUtf32, pair);
            if (!expected || expected->size() != 1)
                continue;
            const std::u32string decoded = cp932::decode(pair);
            ASSERT_EQ(decoded.size(), 1u) << lead << ' ' << trail;
            EXPECT_EQ(cp932::shown(decoded[0]), (*expected)[0]) << lead << ' ' << trail;
        }
    }
    // Every character of the BMP encodes as glibc encodes it.
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        std::string in(reinterpret_cast<const char*>(&c), 4);
        char out[8];
        char* inPtr = in.data();
        std::size_t inLeft = 4, outLeft = sizeof out;
        char* outPtr = out;
        iconv(fromUtf32, nullptr, nullptr, nullptr, nullptr);
        const bool takes =
            iconv(fromUtf32, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        const std::string expected = takes ? std::string(out, sizeof out - outLeft) : "?";
        ASSERT_EQ(cp932::encode(std::u32string(1, c)), expected) << std::hex << unsigned(c);
    }
    iconv_close(toUtf32);
    iconv_close(fromUtf32);
}

TEST(Cp932Tables, Utf8TextShowsWhatTheBytesMean) {
    EXPECT_EQ(cp932ToUtf8("\x88\x9F\xEE\xE0"), "亜髙");      // a second code shows its character
    EXPECT_EQ(cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");        // a lone lead byte
    EXPECT_EQ(utf8ToCp932("亜\xFFz€"), "\x88\x9F?z?");       // a bad byte, a character it lacks
    EXPECT_EQ(cp932::fromUtf8("\xE3\x81"), U"\uFFFD\uFFFD"); // cut short
}
