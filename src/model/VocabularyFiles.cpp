#include "model/VocabularyFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace hakoniwa {
namespace fs = std::filesystem;

std::string readFileBytes(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw std::runtime_error("ファイル " + path.string() + " は開けません");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("ファイル " + path.string() + " は開けません");
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        throw std::runtime_error("ファイル " + path.string() + " を読めません");
    return bytes;
}

Definitions readVocabulary(const fs::path& folder) {
    Definitions definitions;
    definitions.systemVariables = Definitions::splitLines(readFileBytes(folder / "sysHen.txt"));
    definitions.instructions = Definitions::splitLines(readFileBytes(folder / "mtd.txt"));
    definitions.components = Definitions::splitLines(readFileBytes(folder / "cmp.txt"));
    return definitions;
}

} // namespace hakoniwa
