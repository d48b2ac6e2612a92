#pragma once

#include "player/runtime/Value.h"

#include <cstdint>
#include <string>

// One argument cell, prepared at load: a literal value, or where a variable lives.
namespace hakoniwa::player {

enum class Place : unsigned char {
    Literal, // `literal`
    Global,  // global variable number `variable`
    Local,   // local variable number `variable` of the running scene call
    System,  // system variable number `variable`
};

struct Operand {
    Place place = Place::Literal;
    Place indexPlace = Place::Literal; // Literal: the element is `index` itself
    std::int32_t variable = 0;
    std::int32_t slot = 0;  // 0: the element's own value; m + 1: member m
    std::int32_t index = 0; // element number, or the variable whose element 0 numbers it
    Value literal;
    std::string cell; // the cell as written, for messages (code page 932)

    bool isVariable() const { return place != Place::Literal; }
};

} // namespace hakoniwa::player
