#pragma once

#include "model/VocabularyFiles.h"

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

} // namespace hakoniwa::check
