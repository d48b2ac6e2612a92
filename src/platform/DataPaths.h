#pragma once

#include <QString>
#include <string>

// Data paths below the start-up directory. Paths are written with backslashes, as in
// "\dat\img\cur00.bmp"; each backslash becomes the platform's separator.
namespace hakoniwa {

class DataPaths {
public:
    // `relative` is code page 932 bytes (it may hold the folder name read from conf.txt).
    static QString join(const QString& baseDir, const std::string& relative);
};

} // namespace hakoniwa
