#include "player/runtime/Value.h"

#include "model/NumberConversion.h"
#include "model/Utf8Text.h"
#include "player/runtime/RowFault.h"

namespace hakoniwa::player {

std::int32_t toNumber(const Value& value) {
    if (!value.isText)
        return value.number;
    if (const auto number = convertNumber(value.text))
        return *number;
    throw RowFault("数値ではありません: " + cp932ToUtf8(value.text));
}

std::string toText(const Value& value) {
    return value.isText ? value.text : std::to_string(value.number);
}

bool sameValue(const Value& a, const Value& b) {
    if (!a.isText && !b.isText)
        return a.number == b.number;
    return toText(a) == toText(b);
}

std::string describe(const Value& value) {
    if (!value.isText)
        return std::to_string(value.number);
    std::string quoted(1, '"');
    quoted += cp932ToUtf8(value.text);
    quoted += '"';
    return quoted;
}

} // namespace hakoniwa::player
