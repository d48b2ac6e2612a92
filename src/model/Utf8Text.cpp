#include "model/Utf8Text.h"

#include "model/Cp932.h"

namespace hakoniwa {

std::string cp932ToUtf8(std::string_view cp932) {
    std::u32string text = cp932::decode(cp932);
    for (char32_t& character : text)
        character = cp932::shown(character);
    return cp932::toUtf8(text);
}

std::string utf8ToCp932(const std::string& utf8) {
    return cp932::encode(cp932::fromUtf8(utf8, U'?'));
}

} // namespace hakoniwa
