#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <sys/stat.h>

// The pieces a safe save is built of: a folder held open, so that every name is looked up in
// the same folder; a new file made in it that nobody else can have planted; and the rewrite in
// place for where no new file can be made.
namespace hakoniwa::files {

// Throws std::runtime_error "<what>: <path>（<reason>）".
[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason);
[[noreturn]] void failWith(const QString& what, const QString& path, int error);
QString cannotWrite();

// errno values that say a folder takes no new file from this process.
bool isFolderClosed(int error);

class Folder {
public:
    // Opens the folder that holds `path`; throws when it cannot be opened.
    explicit Folder(const QString& path);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    int fd() const { return fd_; }
    const struct stat& info() const { return info_; }
    // The longest name the folder takes, in bytes.
    long nameMax() const;
    // Makes the folder's entries lasting (after a rename); failures are ignored, the data is
    // already on disk.
    void sync() const;

private:
    int fd_ = -1;
    struct stat info_ {};
};

// A file made new in a folder: unnamed where the file system allows it, else under a short
// random name created exclusively. Removed again unless it is put in place.
class NewFile {
public:
    // 0 and a file, or the errno why none could be made.
    static int make(const Folder& folder, unsigned mode, NewFile& made);
    NewFile() = default;
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int fd() const { return fd_; }
    // Writes all of `size` bytes and puts them on disk; 0 or the errno.
    int writeAndSync(const char* bytes, std::size_t size);
    // Makes the file the one called `name` in the folder, replacing what is there (a link
    // there is replaced, not followed); 0 or the errno. The file is closed afterwards.
    int placeAs(const QByteArray& name);

private:
    int giveName();
    void discard();

    const Folder* folder_ = nullptr;
    int fd_ = -1;
    QByteArray name_; // empty while unnamed
};

// A short name no other file in `folder` has now: "<prefix>" and eight random letters.
QByteArray randomName();

// Writes `bytes` over the regular file at `path` where it lies, puts them on disk and puts the
// old bytes back when the new ones do not go in whole (then throws).
void overwriteInPlace(const QString& path, const std::string& bytes);

// Writes all bytes to `fd` from `offset`; 0 or the errno (a write that takes nothing counts
// as a full disk).
int writeFully(int fd, const char* bytes, std::size_t size, off_t offset);

} // namespace hakoniwa::files
