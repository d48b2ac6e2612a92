#pragma once

#include "model/Project.h"

#include <filesystem>
#include <string>
#include <vector>

// A game made ready to share: the project file with every image and sound it names, and the
// vocabulary it runs with, as one web page (the page template filled in) or as a folder with
// a launcher for an installed player.
namespace hakoniwa {

struct SharedFile {
    std::string name; // relative, "/"-separated, UTF-8: "game/player.png", "data/txt/game/mtd.txt"
    std::string bytes;
};

struct SharedGame {
    std::string title;             // the project file's name without its extension, UTF-8
    std::string projectName;       // "game/<title>.txt"
    std::vector<SharedFile> files; // the project file first, then its files, then the vocabulary
};

// Gathers the project (as SourceWriter writes it) and the files its cells name. A cell names
// a file when it is a path to a file in the project folder or in the data folder (the two
// places the player looks) or an absolute path to a file. Names found beside the project or
// in the data folder keep their relative name; others (absolute, or outside both folders) are
// copied by their file name and the cells are rewritten to it, so that every name is
// relative. `projectFolder` may be empty (a project never saved). Throws std::runtime_error
// when a named file cannot be read.
SharedGame gatherGame(const Project& project, const std::string& title,
                      const std::filesystem::path& projectFolder,
                      const std::filesystem::path& dataFolder);

// The page template (hakoniwa-web.html, made by src/web) with the game put in.
std::string webPage(const std::string& pageTemplate, const SharedGame& game);

// Writes the folder: the project file and its files, <title>.html (the web page),
// <title>.sh and <title>.desktop (which start an installed hakoniwa-player with the game).
// Throws std::runtime_error naming the file that cannot be written.
void writeGameFolder(const SharedGame& game, const std::string& page,
                     const std::filesystem::path& folder);

std::string base64(std::string_view bytes);

} // namespace hakoniwa
