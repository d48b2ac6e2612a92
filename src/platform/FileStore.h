#pragma once

#include <QString>
#include <string>

// Whole files in and out, as bytes. Writing goes through a temporary file in the target's
// folder that replaces the target only once it is complete, so a failed write (full disk,
// no permission, a killed process) leaves the previous file as it was.
namespace hakoniwa {

class FileStore {
public:
    // The file's bytes; throws std::runtime_error when it cannot be read.
    static std::string readAll(const QString& path);
    // Replaces the file with `bytes`; throws std::runtime_error when that fails, and the
    // previous file (if any) is then untouched.
    static void writeAll(const QString& path, const std::string& bytes);
};

} // namespace hakoniwa
