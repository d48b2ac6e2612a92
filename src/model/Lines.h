#pragma once

#include <string_view>

// Cuts file bytes into lines. CR LF, a lone LF and a lone CR each end a line, so a file
// that passed through another editor still reads; neither byte can be the second byte of
// a double-byte character, so no character is ever cut.
namespace hakoniwa {

// Calls `onLine` with every line, without its line end, in file order. A last line without
// a line end counts; the text after the final line end, being empty, does not.
template <typename OnLine> void forEachLine(std::string_view bytes, OnLine&& onLine) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            onLine(bytes.substr(start));
            return;
        }
        onLine(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
}

} // namespace hakoniwa
