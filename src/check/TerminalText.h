#pragma once

#include <string>

namespace hakoniwa::check {

// The model's code page 932 bytes as UTF-8 for the terminal and for JSON. A byte that is no
// part of a valid character becomes U+FFFD, so the output is always valid UTF-8.
std::string toUtf8(const std::string& cp932);

} // namespace hakoniwa::check
