#pragma once

#include <string>
#include <vector>

// The vocabulary read from the definition files at start-up: one entry per line, in file
// order. A line's index is its identity; its text is copied whole into a cell when picked.
namespace hakoniwa {

struct Definitions {
    std::vector<std::string> systemVariables; // sysHen.txt
    std::vector<std::string> instructions;    // mtd.txt
    std::vector<std::string> components;      // cmp.txt

    // Cuts a file's bytes into lines. CR, LF and CR LF each end a line; a last line without
    // an ending still counts; blank lines stay as empty entries; nothing is trimmed.
    static std::vector<std::string> splitLines(const std::string& bytes);

    // The definition folder named by conf.txt: its first line, empty for an empty file.
    static std::string folderOf(const std::string& confBytes);
};

} // namespace hakoniwa
