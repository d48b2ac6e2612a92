#include "model/Definitions.h"

#include "model/Lines.h"

namespace hakoniwa {

std::vector<std::string> Definitions::splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    forEachLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string Definitions::folderOf(const std::string& confBytes) {
    const std::vector<std::string> lines = splitLines(confBytes);
    return lines.empty() ? std::string() : lines.front();
}

} // namespace hakoniwa
