#pragma once

#include <string>

// The game keeps the project's texts as code page 932 bytes; messages, dumps and file paths
// leave it as UTF-8.
namespace hakoniwa::player {

// A byte that is no part of a valid character becomes U+FFFD.
std::string cp932ToUtf8(const std::string& cp932);
// A character code page 932 cannot hold becomes "?".
std::string utf8ToCp932(const std::string& utf8);

} // namespace hakoniwa::player
