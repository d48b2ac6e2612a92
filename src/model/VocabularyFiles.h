#pragma once

#include "model/Definitions.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// Reading the definition files without widgets, for the checker and the player.
namespace hakoniwa {

// The most a definition file (or conf.txt) may hold: far more than any vocabulary needs, and
// a bound on what a file linked to a device can make the reader take.
constexpr std::size_t kDefinitionFileLimit = std::size_t(16) << 20;

// Reads sysHen.txt, mtd.txt and cmp.txt of the folder. A file that cannot be read throws
// std::runtime_error "ファイル <path> は開けません", as the editor reports it at start-up; so
// does one that is no regular file or is larger than kDefinitionFileLimit, with the reason.
Definitions readVocabulary(const std::filesystem::path& folder);

// The whole file as bytes; throws std::runtime_error when it cannot be opened or read, is no
// regular file (a FIFO would wait for a writer, a device never end) or holds more than
// `limit` bytes.
std::string readFileBytes(const std::filesystem::path& path, std::size_t limit = SIZE_MAX);

} // namespace hakoniwa
