#pragma once

#include "model/Definitions.h"

#include <filesystem>
#include <optional>

// Where the checker finds the definition files, the way the editor does: the data folder
// "dat" next to the program, then in ../share/hakoniwa beside it, then in the working
// directory; its txt/conf.txt names the folder of sysHen.txt, mtd.txt and cmp.txt.
namespace hakoniwa::check {

// The definition folder named by the first data folder that holds txt/conf.txt, or nothing.
// `program` is the checker's own path (may be empty when unknown).
std::optional<std::filesystem::path> defaultVocabularyFolder(const std::filesystem::path& program,
                                                             const std::filesystem::path& workDir);

// Reads sysHen.txt, mtd.txt and cmp.txt of the folder. A file that cannot be read throws
// std::runtime_error "ファイル <path> は開けません", as the editor reports it at start-up.
Definitions readVocabulary(const std::filesystem::path& folder);

// The whole file as bytes; throws std::runtime_error when it cannot be opened or read.
std::string readFileBytes(const std::filesystem::path& path);

} // namespace hakoniwa::check
