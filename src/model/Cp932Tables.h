#pragma once

// glibc's code page 932 conversion as tables (src/model/Cp932Tables.cpp, made by
// scripts/make-cp932-tables). Read through model/Cp932.h.
namespace hakoniwa::cp932 {

constexpr unsigned kFirstTrail = 0x40;
constexpr int kTrailCount = 0xFC - 0x40 + 1;

// What each byte decodes to on its own.
extern const char32_t kSingles[256];
// For a lead byte the row of kPairs its pairs are in, else -1.
extern const signed char kRowOfLead[256];
extern const int kRowCount;
// Lead byte row × (trail - kFirstTrail): the character, or 0 when the pair makes none.
extern const char32_t kPairs[][kTrailCount];

// A character code page 932 takes although no code decodes to it.
struct EncodeOnly {
    char32_t character;
    unsigned code;
};
extern const EncodeOnly kEncodeOnly[];
extern const int kEncodeOnlyCount;

// A code whose character encodes to another code, with the character it shows.
struct Shown {
    unsigned code;
    char32_t character;
};
extern const Shown kShown[];
extern const int kShownCount;

} // namespace hakoniwa::cp932
