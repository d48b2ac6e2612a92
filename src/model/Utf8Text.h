#pragma once

#include <string>

// The model's code page 932 bytes as UTF-8 and back through model/Cp932.h, for programs
// without widgets (the checker's output, the player's messages, dumps and file paths).
namespace hakoniwa {

// A byte that is no part of a valid character becomes U+FFFD, so the result is always valid
// UTF-8.
std::string cp932ToUtf8(std::string_view cp932);
// A character code page 932 cannot hold becomes "?".
std::string utf8ToCp932(const std::string& utf8);

} // namespace hakoniwa
