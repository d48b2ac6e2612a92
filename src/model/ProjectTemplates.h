#pragma once

#include "model/Definitions.h"
#include "model/Project.h"

#include <filesystem>
#include <string>
#include <vector>

// Templates: small games in the data folder (dat/templates) that a new project starts from.
// templates.txt lists them; a template opens with its file names made absolute, so that it
// runs before it is saved, and its first save brings the files it uses along.
namespace hakoniwa {

// One line of templates.txt: "name,project,preview,description" (code page 932). The
// project and the preview are paths relative to the templates folder with "/" between
// folders; the description is the rest of the line, commas included.
struct TemplateEntry {
    std::string name;
    std::string project;
    std::string preview;
    std::string description;
};

// The entries of templates.txt in file order. Blank lines and lines without a project are
// passed over, so a list with a broken line still offers the others.
std::vector<TemplateEntry> readTemplateList(std::string_view bytes);

// Makes the relative file names of a project just read from a template absolute, naming the
// files in the template's folder; a name naming no file there is left as it is. Returns the
// number of cells changed.
int makeTemplateFilesAbsolute(Project& project, const Definitions& vocabulary,
                              const std::filesystem::path& templateFolder);

// Before a save into `projectFolder`: every file argument naming a file inside
// `templatesFolder` is copied into the project's folder and its cell rewritten to the copy's
// bare name. A file of the same name already there is used when it holds the same bytes;
// otherwise the copy takes a free name ("coin-2.png"). Copies are made before any cell
// changes, so a failed copy (std::runtime_error naming the file) leaves the project as it
// was. Returns the number of cells rewritten.
int bringTemplateFilesAlong(Project& project, const Definitions& vocabulary,
                            const std::filesystem::path& templatesFolder,
                            const std::filesystem::path& projectFolder);

} // namespace hakoniwa
