#include "model/Definitions.h"

namespace hakoniwa {

std::vector<std::string> Definitions::splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false; // a line has started and not yet ended
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line += c;
        open = true;
    }
    if (open)
        lines.push_back(std::move(line));
    return lines;
}

std::string Definitions::folderOf(const std::string& confBytes) {
    const std::vector<std::string> lines = splitLines(confBytes);
    return lines.empty() ? std::string() : lines.front();
}

} // namespace hakoniwa
