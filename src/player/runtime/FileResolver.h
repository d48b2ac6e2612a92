#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>

// Finds the file an argument names: an absolute path as it is, a relative one in the
// project file's folder, then in the data folder. A backslash separates folders too.
namespace hakoniwa::player {

class FileResolver {
public:
    FileResolver(std::filesystem::path projectFolder, std::filesystem::path dataFolder);

    // The file's absolute path (UTF-8) for the text (code page 932); each text is looked up
    // once. Throws RowFault "ファイルが見つかりません" when no such file exists.
    const std::string& resolve(const std::string& text);

private:
    std::filesystem::path projectFolder_, dataFolder_;
    std::unordered_map<std::string, std::string> found_;
};

} // namespace hakoniwa::player
