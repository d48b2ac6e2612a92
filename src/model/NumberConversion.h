#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one string-to-integer conversion every reader of a sheet cell uses.
namespace hakoniwa {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X"; the value must fit in a signed 32-bit integer.
// Anything else (the empty text, trailing blanks, stray characters) gives nothing.
std::optional<std::int32_t> convertNumber(std::string_view text);

// The conversion with the reader's default for texts that do not convert.
std::int32_t toIntDef(std::string_view text, std::int32_t fallback);

} // namespace hakoniwa
