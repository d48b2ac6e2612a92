#include "platform/Cp932Codec.h"

#include "model/Cp932.h"

namespace hakoniwa {

QString Cp932Codec::decode(std::string_view bytes) {
    const std::u32string characters = cp932::decode(bytes);
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}

std::string Cp932Codec::encode(const QString& text, bool* lossy) {
    // A lone surrogate stays what it is: no character of the code page, so it becomes "?".
    std::u32string characters;
    characters.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        characters += character;
    }
    return cp932::encode(characters, lossy);
}

} // namespace hakoniwa
