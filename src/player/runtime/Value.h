#pragma once

#include <cstdint>
#include <string>

// A variable's value: a 32-bit integer or a text (code page 932 bytes).
namespace hakoniwa::player {

struct Value {
    std::int32_t number = 0;
    bool isText = false;
    std::string text;

    static Value ofNumber(std::int32_t number) { return Value{number, false, {}}; }
    static Value ofText(std::string text) { return Value{0, true, std::move(text)}; }

    void setNumber(std::int32_t value) {
        number = value;
        if (isText) {
            isText = false;
            std::string().swap(text); // a long text gives its memory back
        }
    }
};

// The number a value stands for: a text converts with the editor's number conversion, and
// throws RowFault "数値ではありません" when it does not.
std::int32_t toNumber(const Value& value);
// The value as text: a number in decimal.
std::string toText(const Value& value);
// Two numbers compare as numbers, anything else as texts.
bool sameValue(const Value& a, const Value& b);
// For the variable dump: a number in decimal, a text in double quotes (UTF-8).
std::string describe(const Value& value);

} // namespace hakoniwa::player
