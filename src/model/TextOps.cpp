#include "model/TextOps.h"

namespace hakoniwa {

bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isPlainName(std::string_view text, std::size_t end) {
    for (std::size_t i = 0; i < end; ++i) {
        const char c = text[i];
        if (c == ',' || c == '/' || c == '\\')
            return false;
        if (isLeadByte(static_cast<unsigned char>(c)))
            ++i; // a second byte is never punctuation
    }
    return true;
}

std::size_t findSeparator(std::string_view text, char separator, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == separator)
            return i;
        if (isLeadByte(static_cast<unsigned char>(text[i])))
            ++i; // the trail byte may look like punctuation; it never separates
    }
    return std::string::npos;
}

bool serchStr(std::string_view text, std::string_view pattern) {
    return !pattern.empty() && text.find(pattern) != std::string::npos;
}

int getSplitCount(std::string_view text, char separator) {
    int count = 1;
    for (std::size_t at = findSeparator(text, separator); at != std::string::npos;
         at = findSeparator(text, separator, at + 1))
        ++count;
    return count;
}

std::string getSplitStrVal(std::string_view text, char separator, int index) {
    std::size_t fieldStart = 0;
    for (int i = 0;; ++i) {
        const std::size_t at = findSeparator(text, separator, fieldStart);
        if (at == std::string::npos)
            return std::string(text.substr(fieldStart));
        if (i == index)
            return std::string(text.substr(fieldStart, at - fieldStart));
        fieldStart = at + 1;
    }
}

} // namespace hakoniwa
