#pragma once

#include <optional>
#include <string>
#include <string_view>

// The name a file argument cell stores for a project's image or sound. A file in the
// project's folder or below it is named relative to that folder with "/" between folders, so
// a project moved or copied together with its files still finds them (the player looks a
// relative name up in the project's folder first). Paths are UTF-8 text as the file system
// gives them.
namespace hakoniwa {

// `file` relative to `folder`, "/"-separated, when it lies in the folder or below; nullopt
// when either path is not absolute, `folder` is empty, or the file lies elsewhere (on another
// drive, or reached only through "..").
std::optional<std::string> relativeAssetName(std::string_view file, std::string_view folder);

// What a file argument cell takes for the file: its relative name where there is one, else the
// file's own path with "/" between folders.
std::string assetCellName(std::string_view file, std::string_view folder);

// True for the file names the assets window lists: images (.png, .bmp) and sounds (.wav,
// .ogg, .mp3), whatever the letter case.
bool isAssetFileName(std::string_view name);
bool isSoundFileName(std::string_view name);

} // namespace hakoniwa
