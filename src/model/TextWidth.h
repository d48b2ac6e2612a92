#pragma once

#include <functional>
#include <string_view>

namespace hakoniwa {

// The pixel width of a code page 932 text in some window's font. The windows supply it, so
// that the rules which depend on text widths stay free of any toolkit.
using TextWidth = std::function<int(std::string_view bytes)>;

} // namespace hakoniwa
