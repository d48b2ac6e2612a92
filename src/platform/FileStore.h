#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <string>

// Whole files in and out, as bytes. Writing goes through a temporary file in the target's
// folder that replaces the target only once it is complete, so a failed write (full disk,
// no permission, a killed process) leaves the previous file as it was. Where the folder takes
// no new file but the target exists and may be written, the target is rewritten in place.
// The temporary file has a fixed name, so a killed save leaves at most that one file behind,
// and the next save of the same target clears it away.
namespace hakoniwa {

class FileStore {
public:
    // True when `path` names something that exists but is no regular file (a folder, a FIFO,
    // a device): reading such a thing could block or never end. Looks without opening.
    static bool isSpecial(const QString& path);
    // The temporary file a save of `path` writes before it takes the place of `path`.
    static QString temporaryPathOf(const QString& path);
    // The file's bytes; throws std::runtime_error when it cannot be read or is no regular file.
    static std::string readAll(const QString& path);
    // Reads the file into the room that `makeRoom(size)` gives for its size in bytes, with no
    // copy between; returns how many bytes it read (fewer when the file shrank meanwhile, and
    // never more than `size`). Throws as readAll.
    static std::size_t readInto(const QString& path,
                                const std::function<char*(std::size_t size)>& makeRoom);
    // Replaces the file with `bytes`; throws std::runtime_error when that fails, and the
    // previous file (if any) then holds what it held before, as far as the disk allows.
    static void writeAll(const QString& path, const std::string& bytes);
    // Like writeAll, but a regular file already at `path` is first copied to `path` + ".bak"
    // (replacing the previous copy), so one earlier version survives the save. When that copy
    // cannot be made, throws before `path` is touched; only in a folder that takes no new file
    // does the save go on without it, and then returns false.
    static bool writeKeepingBackup(const QString& path, const std::string& bytes);
};

} // namespace hakoniwa
