#include "model/AssetName.h"

#include <algorithm>
#include <filesystem>

namespace hakoniwa {
namespace {

namespace fs = std::filesystem;

std::string slashed(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string lowerExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string extension(name.substr(dot + 1));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

} // namespace

std::optional<std::string> relativeAssetName(std::string_view file, std::string_view folder) {
    if (folder.empty())
        return std::nullopt;
    const fs::path filePath = fs::path(slashed(std::string(file))).lexically_normal();
    const fs::path folderPath = fs::path(slashed(std::string(folder))).lexically_normal();
    if (!filePath.is_absolute() || !folderPath.is_absolute())
        return std::nullopt;
    const fs::path relative = filePath.lexically_relative(folderPath);
    if (relative.empty() || relative == "." || *relative.begin() == "..")
        return std::nullopt;
    return relative.generic_string();
}

std::string assetCellName(std::string_view file, std::string_view folder) {
    if (auto relative = relativeAssetName(file, folder))
        return *relative;
    return slashed(std::string(file));
}

bool isSoundFileName(std::string_view name) {
    const std::string extension = lowerExtension(name);
    return extension == "wav" || extension == "ogg" || extension == "mp3";
}

bool isAssetFileName(std::string_view name) {
    const std::string extension = lowerExtension(name);
    return extension == "png" || extension == "bmp" || isSoundFileName(name);
}

} // namespace hakoniwa
