#pragma once

#include <string>
#include <string_view>

// The one conversion between the model's code page 932 bytes and characters, for every
// program: the editor's widgets, the checker, the player and the web page. It reads as
// glibc's "CP932" conversion does (0x5C is a backslash, 0x8160 is U+FF5E, the user-defined
// area 0xF040-0xF9FC is U+E000 and up), from tables made by scripts/make-cp932-tables.
//
// Lossless for bytes: encode(decode(b)) == b for every byte string b. Two kinds of bytes decode
// to private-use characters outside the BMP that encode back to exactly those bytes:
// - a byte that is not part of a valid character gives kRawByteBase + byte; a lead byte whose
//   next byte does not complete a character is such a byte, and the next byte decodes on its
//   own;
// - a valid code whose character encodes to another code (the code page holds a few hundred
//   characters twice) gives kExactCodeBase + code.
namespace hakoniwa::cp932 {

constexpr char32_t kRawByteBase = 0xF0000;
constexpr char32_t kExactCodeBase = 0x100000;

std::u32string decode(std::string_view bytes);
// A character code page 932 cannot hold becomes "?". `lossy` (if given) tells whether that
// happened, or whether private-use bytes placed next to other text would read back as another
// character (a lone lead byte followed by a trail byte).
std::string encode(std::u32string_view text, bool* lossy = nullptr);

// The character to show for a decoded one: a second code's character as it looks, a byte that
// is no character as U+FFFD.
char32_t shown(char32_t decoded);

// UTF-8 and back; a byte of UTF-8 that is no part of a character gives `invalid`.
std::string toUtf8(std::u32string_view text);
std::u32string fromUtf8(std::string_view utf8, char32_t invalid = U'\uFFFD');

} // namespace hakoniwa::cp932
