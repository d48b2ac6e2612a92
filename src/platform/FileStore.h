#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Whole files in and out, as bytes. Writing goes through a new file of our own in the target's
// folder (unnamed where the file system allows, else under a short random name created
// exclusively) that is complete and on disk before it takes the target's place, so a failed
// write (full disk, no permission, a killed process) leaves the previous file as it was. No
// link and no file of another user is ever written through where a file is made. Only where
// the folder takes no new file, or the target's owner and group could not be kept by a new
// file, is the target rewritten in place, and then its old bytes come back on failure.
namespace hakoniwa {

// What a file held when this editor last read or wrote it, to notice another program's save.
struct FileStamp {
    bool exists = false;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t hash = 0;
};

class FileStore {
public:
    // What became of the backup in writeKeepingBackup.
    enum class Backup {
        Kept,         // name.bak holds the file's previous bytes
        NoPrevious,   // there was no file to keep
        FolderClosed, // the folder takes no new file
        NameTooLong,  // name.bak would be longer than the file system allows
        Refused,      // something at name.bak that may not be replaced (another user's file)
    };

    // True when `path` names something that exists but is no regular file (a folder, a FIFO,
    // a device): reading such a thing could block or never end. Looks without opening.
    static bool isSpecial(const QString& path);
    // True for the name of a temporary file a save makes (left behind only by a killed save).
    static bool isTemporaryName(const QString& fileName);
    // The file's bytes; throws std::runtime_error when it cannot be read, is no regular file
    // or is larger than `limit` bytes.
    static std::string readAll(const QString& path, std::size_t limit = SIZE_MAX);
    // Reads the file into the room that `makeRoom(size)` gives for its size in bytes, with no
    // copy between; returns how many bytes it read (fewer when the file shrank meanwhile, and
    // never more than `size`). Throws as readAll.
    static std::size_t readInto(const QString& path,
                                const std::function<char*(std::size_t size)>& makeRoom);
    // Puts `bytes` at `path` as a file this process makes: a link or another user's file at
    // `path` is replaced, never written through. The new file gets `mode` (less the umask).
    // Throws std::runtime_error on failure, and whatever was at `path` is then left as it was.
    static void writeAll(const QString& path, const std::string& bytes, unsigned mode = 0666);
    // Saves the user's file: a link at `path` is saved through to the file it names, which
    // keeps its mode, owner and group. Once the new bytes are safely written, the previous file
    // is kept as `path` + ".bak" (with its mode, owner and group), replacing the earlier copy;
    // where no backup can be made the save goes on and says why. Throws std::runtime_error on
    // failure, and then the file and its earlier backup are as they were.
    static Backup writeKeepingBackup(const QString& path, const std::string& bytes);

    // The stamp of `bytes` just read from or written to `path`.
    static FileStamp stampOf(const QString& path, std::string_view bytes);
    // True when the file at `path` no longer holds what `stamp` recorded: its size or time
    // differs and so do its bytes. A file gone since counts as unchanged: nothing is lost by
    // writing it.
    static bool changedSince(const QString& path, const FileStamp& stamp);
};

} // namespace hakoniwa
