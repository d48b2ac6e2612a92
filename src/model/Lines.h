#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

// Cuts file bytes into lines. CR LF, a lone LF and a lone CR each end a line, so a file
// that passed through another editor still reads; neither byte can be the second byte of
// a double-byte character, so no character is ever cut.
namespace hakoniwa {

// Calls `onLine` with every line, without its line end, in file order. A last line without
// a line end counts; the text after the final line end, being empty, does not.
template <typename OnLine> void forEachLine(std::string_view bytes, OnLine&& onLine) {
    if (bytes.empty())
        return;
    // The next CR and the next LF at or after `start`, each found by one fast byte search
    // that is not repeated until the line end it found has been passed.
    const auto next = [&](char byte, std::size_t from) {
        const void* found = std::memchr(bytes.data() + from, byte, bytes.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data())
                     : bytes.size();
    };
    std::size_t start = 0;
    std::size_t cr = next('\r', 0), lf = next('\n', 0);
    while (start < bytes.size()) {
        if (cr < start)
            cr = next('\r', start);
        if (lf < start)
            lf = next('\n', start);
        const std::size_t end = std::min(cr, lf);
        onLine(bytes.substr(start, end - start));
        if (end == bytes.size())
            return;
        start = end + 1;
        if (end == cr && lf == start)
            ++start;
    }
}

} // namespace hakoniwa
