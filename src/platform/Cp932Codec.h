#pragma once

#include <QString>
#include <string>

// Converts between the model's code page 932 bytes and the widgets' QString, through
// glibc's "CP932" table. Used at every widget boundary and nowhere else.
namespace hakoniwa {

class Cp932Codec {
public:
    // Bytes that are not part of a valid character decode to U+FFFD, one per byte.
    static QString decode(const std::string& bytes);
    // A character code page 932 cannot hold becomes "?"; `lossy` (if given) tells whether
    // that happened.
    static std::string encode(const QString& text, bool* lossy = nullptr);
};

// Short forms for widget code.
inline QString toQt(const std::string& bytes) {
    return Cp932Codec::decode(bytes);
}
inline std::string fromQt(const QString& text) {
    return Cp932Codec::encode(text);
}

} // namespace hakoniwa
