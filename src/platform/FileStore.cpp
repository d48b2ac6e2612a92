#include "platform/FileStore.h"

#include "platform/NewFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace hakoniwa {
namespace {

using files::fail;
using files::failWith;

QString cannotRead() {
    return QStringLiteral("読み込めません");
}

QString notRegular() {
    return QStringLiteral("通常のファイルではありません");
}

// What is at `path` itself (a link is not followed); `present` false when nothing is.
struct Existing {
    bool present = false;
    struct stat info {};
    bool regular() const { return present && S_ISREG(info.st_mode); }
};

Existing lookAt(const QString& path) {
    Existing existing;
    if (::lstat(QFile::encodeName(path).constData(), &existing.info) == 0)
        existing.present = true;
    else if (errno != ENOENT)
        failWith(files::cannotWrite(), path, errno);
    return existing;
}

// A link the user saves to is saved through: the file it names gets the new bytes.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
}

// In a folder with the sticky bit only a file's owner (or the folder's) may replace it.
bool replacingIsRefused(const files::Folder& folder, const struct stat& target) {
    const uid_t me = ::geteuid();
    return (folder.info().st_mode & S_ISVTX) && me != 0 && target.st_uid != me &&
           folder.info().st_uid != me;
}

// Gives the new file the owner, group and mode of `target`; false where the owner or group
// cannot be given (the mode is set all the same).
bool takeLookOf(int fd, const struct stat& target) {
    struct stat mine {};
    bool owned = ::fstat(fd, &mine) == 0;
    if (owned && (mine.st_uid != target.st_uid || mine.st_gid != target.st_gid))
        owned = ::fchown(fd, target.st_uid, target.st_gid) == 0 ||
                (mine.st_uid == target.st_uid && ::fchown(fd, -1, target.st_gid) == 0);
    // After the owner: a change of owner clears the set-id bits.
    return ::fchmod(fd, target.st_mode & 07777) == 0 && owned;
}

// Puts `file` at `backupName`; throws when something there may not be replaced but for lack
// of permission.
FileStore::Backup placeBackup(files::NewFile& file, const QByteArray& backupName,
                              const QString& path) {
    const int error = file.placeAs(backupName);
    if (error == 0)
        return FileStore::Backup::Kept;
    if (files::isFolderClosed(error))
        return FileStore::Backup::Refused;
    failWith(QStringLiteral("前の版 (.bak) を残せません"), path + QStringLiteral(".bak"), error);
}

// A copy of the previous file, with its mode (and its owner and group where the saver may),
// ready to be put at name.bak.
int copyForBackup(const files::Folder& folder, const QString& target, const struct stat& info,
                  files::NewFile& copy) {
    if (const int error = files::NewFile::make(folder, 0600, copy))
        return error;
    takeLookOf(copy.fd(), info);
    const std::string previous = FileStore::readAll(target);
    return copy.writeAndSync(previous.data(), previous.size());
}

// Keeps the previous file as name.bak: the same file under a second name where the file
// system allows (so that it keeps its mode, owner and group as they are), else a copy.
FileStore::Backup keepBackup(const files::Folder& folder, const QByteArray& name,
                             const QString& target, const struct stat& info, const QString& path) {
    const QByteArray backupName = name + ".bak";
    if (backupName.size() > folder.nameMax())
        return FileStore::Backup::NameTooLong;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray second = files::randomName();
        if (::linkat(folder.fd(), name.constData(), folder.fd(), second.constData(), 0) != 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        if (::renameat(folder.fd(), second.constData(), folder.fd(), backupName.constData()) == 0)
            return FileStore::Backup::Kept;
        const int error = errno;
        ::unlinkat(folder.fd(), second.constData(), 0);
        if (files::isFolderClosed(error))
            return FileStore::Backup::Refused;
        failWith(QStringLiteral("前の版 (.bak) を残せません"), path + QStringLiteral(".bak"),
                 error);
    }
    files::NewFile copy;
    if (const int error = copyForBackup(folder, target, info, copy))
        failWith(QStringLiteral("前の版 (.bak) を残せません"), path + QStringLiteral(".bak"),
                 error);
    return placeBackup(copy, backupName, path);
}

// The save for where no new file can take the target's place: the backup (when wanted and
// possible) is copied first but put in place only once the file holds the new bytes.
FileStore::Backup saveInPlace(const files::Folder& folder, const QString& target,
                              const QByteArray& name, const struct stat& info,
                              const std::string& bytes, bool wantBackup, const QString& path) {
    files::NewFile copy;
    FileStore::Backup backup = FileStore::Backup::NoPrevious;
    if (wantBackup) {
        backup = FileStore::Backup::FolderClosed;
        if (name.size() + 4 > folder.nameMax())
            backup = FileStore::Backup::NameTooLong;
        else if (const int error = copyForBackup(folder, target, info, copy)) {
            if (!files::isFolderClosed(error))
                failWith(QStringLiteral("前の版 (.bak) を残せません"),
                         path + QStringLiteral(".bak"), error);
        } else {
            backup = FileStore::Backup::Kept;
        }
    }
    files::overwriteInPlace(target, bytes);
    if (backup == FileStore::Backup::Kept && copy.placeAs(name + ".bak") != 0)
        backup = FileStore::Backup::Refused;
    folder.sync();
    return backup;
}

FileStore::Backup save(const QString& path, const std::string& bytes, bool userFile,
                       unsigned mode) {
    const QString target = userFile ? resolvedTarget(path) : path;
    const Existing existing = lookAt(target);
    const bool aLinkToReplace = !userFile && existing.present && S_ISLNK(existing.info.st_mode);
    if (existing.present && !existing.regular() && !aLinkToReplace)
        fail(files::cannotWrite(), path, notRegular());
    const bool regular = existing.regular();
    // A file kept from being written is not replaced by one written beside it.
    if (regular && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        fail(files::cannotWrite(), path, QStringLiteral("読み取り専用のファイルです"));
    const files::Folder folder(target);
    const QByteArray name = QFile::encodeName(QFileInfo(target).fileName());
    // Only the user's own file is written where it lies: a made file of another user at the
    // same name is replaced, never written through.
    const bool mayRewrite = regular && (userFile || existing.info.st_uid == ::geteuid());
    const bool wantBackup = userFile && regular;

    files::NewFile file;
    bool inPlace = userFile && regular && replacingIsRefused(folder, existing.info);
    if (!inPlace) {
        if (const int error = files::NewFile::make(folder, wantBackup ? 0600 : mode, file)) {
            if (!files::isFolderClosed(error) || !mayRewrite)
                failWith(files::cannotWrite(), path, error);
            inPlace = true;
        } else if (wantBackup) {
            inPlace = !takeLookOf(file.fd(), existing.info);
        }
    }
    if (inPlace)
        return saveInPlace(folder, target, name, existing.info, bytes, wantBackup, path);

    if (const int error = file.writeAndSync(bytes.data(), bytes.size()))
        failWith(files::cannotWrite(), path, error);
    FileStore::Backup backup = FileStore::Backup::NoPrevious;
    if (wantBackup)
        backup = keepBackup(folder, name, target, existing.info, path);
    if (const int error = file.placeAs(name))
        failWith(files::cannotWrite(), path, error);
    folder.sync();
    return backup;
}

// Opens `path` for reading, refusing what is no regular file: a FIFO would wait for a writer
// and a device may never end. Opened without waiting, so that a FIFO cannot block the open.
class ReadHandle {
public:
    explicit ReadHandle(const QString& path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0)
            failWith(cannotRead(), path, errno);
        if (::fstat(fd_, &info_) != 0 || !S_ISREG(info_.st_mode))
            fail(cannotRead(), path, notRegular());
    }
    ~ReadHandle() { ::close(fd_); }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
    int fd() const { return fd_; }
    std::size_t size() const { return static_cast<std::size_t>(info_.st_size); }

private:
    int fd_ = -1;
    struct stat info_ {};
};

// Files from this size on are read in two halves side by side, one on a second thread: the
// copy out of the system's cache then takes two cores, and a large file loads sooner.
constexpr std::size_t kReadInTwoFrom = std::size_t(1) << 20;

// Reads bytes [from, to) of the open file into room + from; returns how many, stopping early at
// the file's end, or -1 with errno set.
long readRange(int handle, char* room, std::size_t from, std::size_t to) {
    std::size_t done = from;
    while (done < to) {
        const ssize_t read = ::pread(handle, room + done, to - done, static_cast<off_t>(done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        done += static_cast<std::size_t>(read);
    }
    return static_cast<long>(done - from);
}

// The bytes read from the start, one half on this thread and one on another (or both here when
// no thread can be had); only what follows on from the start counts, should the file change.
std::size_t readInTwo(int handle, const QString& path, char* room, std::size_t size) {
    const std::size_t half = size / 2;
    long second = 0;
    int secondError = 0;
    const auto readSecond = [&] {
        second = readRange(handle, room, half, size);
        secondError = second < 0 ? errno : 0;
    };
    std::thread helper;
    try {
        helper = std::thread(readSecond);
    } catch (const std::system_error&) {
        readSecond();
    }
    const long first = readRange(handle, room, 0, half);
    const int firstError = first < 0 ? errno : 0;
    if (helper.joinable())
        helper.join();
    if (first < 0 || second < 0)
        failWith(cannotRead(), path, first < 0 ? firstError : secondError);
    return static_cast<std::size_t>(first) < half ? static_cast<std::size_t>(first)
                                                  : half + static_cast<std::size_t>(second);
}

} // namespace

bool FileStore::isSpecial(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

bool FileStore::isTemporaryName(const QString& fileName) {
    return fileName.size() == 18 && fileName.startsWith(QStringLiteral(".hakoniwa-"));
}

std::string FileStore::readAll(const QString& path, std::size_t limit) {
    const ReadHandle file(path);
    const auto tooLarge = [&] {
        fail(cannotRead(), path,
             QStringLiteral("ファイルが大きすぎます（上限 %1 MB）").arg(limit >> 20));
    };
    if (file.size() > limit)
        tooLarge();
    // Read to the end, not to the size: some files tell no size, and a file may grow.
    // One byte past the limit is enough to tell a file that is too large.
    const std::size_t most = limit < SIZE_MAX ? limit + 1 : SIZE_MAX;
    std::string bytes(std::min(file.size() + 1, most), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > limit)
                tooLarge();
            bytes.resize(std::min(bytes.size() * 2, most));
        }
        const long read = readRange(file.fd(), bytes.data(), done, bytes.size());
        if (read < 0)
            failWith(cannotRead(), path, errno);
        done += static_cast<std::size_t>(read);
        if (done < bytes.size())
            break;
    }
    if (done > limit)
        tooLarge();
    bytes.resize(done);
    return bytes;
}

std::size_t FileStore::readInto(const QString& path,
                                const std::function<char*(std::size_t size)>& makeRoom) {
    const ReadHandle file(path);
    const std::size_t size = file.size();
    char* const room = makeRoom(size);
    if (size >= kReadInTwoFrom)
        return readInTwo(file.fd(), path, room, size);
    const long read = readRange(file.fd(), room, 0, size);
    if (read < 0)
        failWith(cannotRead(), path, errno);
    return static_cast<std::size_t>(read);
}

void FileStore::writeAll(const QString& path, const std::string& bytes, unsigned mode) {
    save(path, bytes, false, mode);
}

FileStore::Backup FileStore::writeKeepingBackup(const QString& path, const std::string& bytes) {
    return save(path, bytes, true, 0666);
}

FileStamp FileStore::stampOf(const QString& path, std::string_view bytes) {
    FileStamp stamp;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    stamp.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.hash = std::hash<std::string_view>()(bytes);
    return stamp;
}

bool FileStore::changedSince(const QString& path, const FileStamp& stamp) {
    struct stat info {};
    if (!stamp.exists || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    const std::int64_t modified =
        std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    if (info.st_size == stamp.size && modified == stamp.modifiedNs)
        return false;
    if (info.st_size != stamp.size || !S_ISREG(info.st_mode))
        return true;
    return std::hash<std::string_view>()(readAll(path)) != stamp.hash;
}

} // namespace hakoniwa
