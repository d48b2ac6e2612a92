#include "player/runtime/Limits.h"

#include "player/runtime/RowFault.h"

namespace hakoniwa::player::limits {

std::string tooMuch(const std::string& what, std::int64_t limit, const std::string& unit) {
    return what + ": 上限 " + std::to_string(limit) + " " + unit;
}

void checkTextLength(const std::string& text) {
    if (static_cast<std::int64_t>(text.size()) > kTextLength)
        throw RowFault(tooMuch("文字列が長すぎます", kTextLength, "バイト"));
}

} // namespace hakoniwa::player::limits
