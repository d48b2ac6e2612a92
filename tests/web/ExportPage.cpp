// The editor's export without a window, for the web tests:
//   web_export PAGE_TEMPLATE DATA_FOLDER PROJECT OUT.html [FOLDER]
// writes the project's web page, and with FOLDER also the desktop folder.
#include "model/GameExport.h"
#include "model/SourceReader.h"
#include "model/VocabularyFiles.h"

#include <fstream>
#include <iostream>

using namespace hakoniwa;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::cerr << "usage: web_export PAGE_TEMPLATE DATA_FOLDER PROJECT OUT.html [FOLDER]\n";
        return 2;
    }
    try {
        const fs::path projectFile = fs::absolute(argv[3]);
        Project project;
        SourceReader(project, 0, 0).read(readFileBytes(projectFile));
        const SharedGame game = gatherGame(project, projectFile.stem().string(),
                                           projectFile.parent_path(), fs::absolute(argv[2]));
        const std::string page = webPage(readFileBytes(argv[1]), game);
        std::ofstream(argv[4], std::ios::binary) << page;
        if (argc == 6)
            writeGameFolder(game, page, argv[5]);
    } catch (const std::exception& failure) {
        std::cerr << "web_export: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
