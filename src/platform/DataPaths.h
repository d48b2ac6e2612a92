#pragma once

#include <QString>
#include <string>

// Where the data folder dat/ lies and paths below it. Paths are written with backslashes, as
// in "\dat\img\cur00.bmp"; each backslash becomes the platform's separator.
namespace hakoniwa {

class DataPaths {
public:
    // `relative` is code page 932 bytes (it may hold the folder name read from conf.txt).
    static QString join(const QString& baseDir, const std::string& relative);

    // The folder that holds dat/ (the start-up folder of the data paths): the program's own
    // folder when dat/ lies beside the program, else <program folder>/../share/hakoniwa (an
    // installed tree), else the working directory. A folder counts only when it holds
    // dat/txt/conf.txt.
    static QString findBaseDir();

    // The folder that takes the run file and holds the run script: dat/bat below `baseDir`
    // when this process may write there, else bat/ in the user's data folder. That folder is
    // made when missing and gets a copy of the run script the first time; a copy already
    // there is the user's and is kept.
    static QString runFolder(const QString& baseDir);
    // The run script's name: run.bat on Windows, run.sh elsewhere.
    static QString runScriptName();
};

} // namespace hakoniwa
