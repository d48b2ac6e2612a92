#include "player/runtime/FileResolver.h"

#include "model/Utf8Text.h"
#include "player/runtime/RowFault.h"

#include <algorithm>
#include <optional>

namespace hakoniwa::player {
namespace fs = std::filesystem;

namespace {

std::optional<fs::path> existing(const fs::path& path) {
    std::error_code error;
    if (fs::is_regular_file(path, error))
        return fs::absolute(path, error).lexically_normal();
    return std::nullopt;
}

} // namespace

FileResolver::FileResolver(fs::path projectFolder, fs::path dataFolder)
    : projectFolder_(std::move(projectFolder)), dataFolder_(std::move(dataFolder)) {}

const std::string& FileResolver::resolve(const std::string& text) {
    if (const auto known = found_.find(text); known != found_.end())
        return known->second;
    // In UTF-8 a 0x5C byte is always a backslash, never the second byte of a character.
    std::string utf8 = cp932ToUtf8(text);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    const fs::path path(utf8);
    std::optional<fs::path> file;
    if (path.is_absolute())
        file = existing(path);
    else if (!utf8.empty() && !(file = existing(projectFolder_ / path)))
        file = existing(dataFolder_ / path);
    if (!file)
        throw RowFault("ファイルが見つかりません: " + cp932ToUtf8(text));
    return found_.emplace(text, file->string()).first->second;
}

} // namespace hakoniwa::player
