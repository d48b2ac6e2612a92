#pragma once

#include <QString>

// Where the game vocabulary (mtd.txt, cmp.txt, sysHen.txt) lies when the command line does not
// say: the folder the editor reads, dat/txt/<folder named by conf.txt> below the data folder;
// without a conf.txt, the program's own folder.
namespace hakoniwa::player {

QString defaultVocabularyFolder();

} // namespace hakoniwa::player
