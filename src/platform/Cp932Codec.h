#pragma once

#include <QString>
#include <string>
#include <string_view>

// Converts between the model's code page 932 bytes and the widgets' QString, through the
// model's codec (model/Cp932.h), which every program shares. Used at every widget boundary.
//
// Lossless for bytes: encode(decode(b)) == b for every byte string b, so text that passes
// through a widget keeps the bytes the user did not edit, valid or not.
namespace hakoniwa {

class Cp932Codec {
public:
    // Valid characters decode as glibc decodes them (0x5C is a backslash, 0x8160 is U+FF5E,
    // the user-defined area 0xF040-0xF9FC is U+E000 and up). Two kinds of bytes decode to
    // private-use characters outside the BMP that encode back to exactly those bytes:
    // - a byte that is not part of a valid character gives U+F0000 + byte; a lead byte whose
    //   next byte does not complete a character is such a byte, and the next byte decodes
    //   on its own;
    // - a valid code whose character encodes to another code (the code page holds a few
    //   hundred characters twice) gives U+100000 + code.
    static QString decode(std::string_view bytes);
    // A character code page 932 cannot hold becomes "?". `lossy` (if given) tells whether
    // that happened, or whether private-use bytes placed next to other text would read back
    // as another character (a lone lead byte followed by a trail byte).
    static std::string encode(const QString& text, bool* lossy = nullptr);
};

// Short forms for widget code.
inline QString toQt(std::string_view bytes) {
    return Cp932Codec::decode(bytes);
}
inline std::string fromQt(const QString& text) {
    return Cp932Codec::encode(text);
}

} // namespace hakoniwa
