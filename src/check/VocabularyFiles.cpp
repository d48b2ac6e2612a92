#include "check/VocabularyFiles.h"

#include "check/TerminalText.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace hakoniwa::check {
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

std::optional<fs::path> defaultVocabularyFolder(const fs::path& program, const fs::path& workDir) {
    std::vector<fs::path> dataFolders;
    if (!program.empty()) {
        const fs::path programDir = program.parent_path();
        dataFolders.push_back(programDir / "dat");
        dataFolders.push_back(programDir / ".." / "share" / "hakoniwa" / "dat");
    }
    dataFolders.push_back(workDir / "dat");
    for (const fs::path& data : dataFolders) {
        const fs::path conf = data / "txt" / "conf.txt";
        std::error_code error;
        if (!fs::is_regular_file(conf, error))
            continue;
        // The folder name is code page 932 and a backslash in it separates folders. An empty
        // name means the files lie in txt itself.
        std::string folder = toUtf8(Definitions::folderOf(readFileBytes(conf)));
        for (char& c : folder)
            if (c == '\\')
                c = '/';
        return (data / "txt" / folder).lexically_normal();
    }
    return std::nullopt;
}

Definitions readVocabulary(const fs::path& folder) {
    Definitions definitions;
    definitions.systemVariables = Definitions::splitLines(readFileBytes(folder / "sysHen.txt"));
    definitions.instructions = Definitions::splitLines(readFileBytes(folder / "mtd.txt"));
    definitions.components = Definitions::splitLines(readFileBytes(folder / "cmp.txt"));
    return definitions;
}

} // namespace hakoniwa::check
