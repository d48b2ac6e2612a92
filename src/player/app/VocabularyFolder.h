#pragma once

#include <QString>
#include <optional>
#include <string>

// Where the game vocabulary (mtd.txt, cmp.txt, sysHen.txt) lies when the command line does not
// say: the folder the editor reads, dat/txt/<folder named by conf.txt> below the data folder;
// without a conf.txt, the program's own folder.
namespace hakoniwa::player {

QString defaultVocabularyFolder();

// When the folder lacks a vocabulary file: one line (UTF-8) that names what is missing, where
// the player looked and how to name the folder; nothing when the files are there. `given`: the
// folder came from --vocabulary.
std::optional<std::string> missingVocabulary(const QString& folder, bool given);

} // namespace hakoniwa::player
