#pragma once

#include "model/Definitions.h"

#include <filesystem>
#include <string>

// Reading the definition files without widgets, for the checker and the player.
namespace hakoniwa {

// Reads sysHen.txt, mtd.txt and cmp.txt of the folder. A file that cannot be read throws
// std::runtime_error "ファイル <path> は開けません", as the editor reports it at start-up.
Definitions readVocabulary(const std::filesystem::path& folder);

// The whole file as bytes; throws std::runtime_error when it cannot be opened or read.
std::string readFileBytes(const std::filesystem::path& path);

} // namespace hakoniwa
