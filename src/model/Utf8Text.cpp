#include "model/Utf8Text.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace hakoniwa {
namespace {

// Converts through glibc's table, the one the editor's codec is built from. A sequence the
// table refuses gives `replacement` and the conversion goes on one byte later.
std::string convert(const char* to, const char* from, std::string_view text,
                    const std::string& replacement) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
    std::string result;
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(buffer, out - buffer);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            result += replacement;
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return result;
}

} // namespace

std::string cp932ToUtf8(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD");
}

std::string utf8ToCp932(const std::string& utf8) {
    return convert("CP932", "UTF-8", utf8, "?");
}

} // namespace hakoniwa
