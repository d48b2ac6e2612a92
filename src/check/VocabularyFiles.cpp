#include "check/VocabularyFiles.h"

#include "model/Utf8Text.h"
#include "model/VocabularyFiles.h"

#include <system_error>

namespace hakoniwa::check {
namespace fs = std::filesystem;

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
        std::string folder =
            cp932ToUtf8(Definitions::folderOf(readFileBytes(conf, kDefinitionFileLimit)));
        for (char& c : folder)
            if (c == '\\')
                c = '/';
        return (data / "txt" / folder).lexically_normal();
    }
    return std::nullopt;
}

} // namespace hakoniwa::check
