#pragma once

#include <functional>
#include <string>

namespace hakoniwa {

// The pixel width of a code page 932 text in some window's font. The windows supply it, so
// that the rules which depend on text widths stay free of any toolkit.
using TextWidth = std::function<int(const std::string& bytes)>;

} // namespace hakoniwa
