#include "platform/FileStore.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hakoniwa {
namespace {

[[noreturn]] void fail(const char* what, const QString& path, const QString& reason) {
    throw std::runtime_error(std::string(what) + " " + path.toStdString() + ": " +
                             reason.toStdString());
}

// Puts exactly `bytes` into the open file from its start, cutting off whatever followed.
bool replaceContents(QFile& file, const char* bytes, qint64 size) {
    return file.seek(0) && file.write(bytes, size) == size && file.flush() && file.resize(size);
}

// The fallback for a folder that takes no new file (no temporary file can be made there):
// the existing target is overwritten where it lies. Its previous bytes are kept in memory and
// put back when the new ones do not go in whole; writing over them rather than truncating
// first means a full disk is met only past the old size, where the old bytes still fit.
void overwriteInPlace(const QString& path, const std::string& bytes) {
    QFile file(path);
    // Unbuffered, so a failed write leaves nothing queued that would block putting back.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        fail("cannot open", path, file.errorString());
    const QByteArray previous = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail("cannot read", path, file.errorString());
    if (replaceContents(file, bytes.data(), static_cast<qint64>(bytes.size())))
        return;
    const QString reason = file.errorString();
    file.unsetError();
    replaceContents(file, previous.constData(), previous.size());
    fail("cannot write", path, reason);
}

// A link is saved through: the file it names gets the new bytes and the link stays a link.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
}

bool syncToDisk(QFile& file) {
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

// Puts `from` in the place of `to` in one step, replacing what was there.
bool replaceFile(const QString& from, const QString& to, QString& reason) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    reason = QString::fromStdString(error.message());
    return !error;
}

#if defined(Q_OS_LINUX) && defined(O_TMPFILE)
// Writes the bytes as an unnamed file in the target's folder and names it `temporary` only
// once it is complete and on disk, so that a save killed while writing leaves nothing behind.
// False where the folder or file system makes no unnamed file (the caller then writes the
// named temporary file itself); throws when the bytes cannot be written.
bool writeUnnamed(const QString& target, const QString& temporary, const std::string& bytes) {
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat existing {};
    if (::stat(QFile::encodeName(target).constData(), &existing) == 0)
        ::fchmod(fd, existing.st_mode & 07777);
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            ::close(fd);
            fail("cannot write", target, qt_error_string(error));
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        fail("cannot write", target, qt_error_string(error));
    }
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    const bool named = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD,
                                QFile::encodeName(temporary).constData(), AT_SYMLINK_FOLLOW) == 0;
    ::close(fd);
    return named;
}
#else
bool writeUnnamed(const QString&, const QString&, const std::string&) {
    return false;
}
#endif

// Opens `file` (at `path`) for reading, refusing what is no regular file: opening a FIFO for
// reading waits for a writer, and a device may never end.
void openToRead(QFile& file, const QString& path, QIODevice::OpenMode mode) {
    if (FileStore::isSpecial(path))
        fail("cannot read", path, QStringLiteral("not a regular file"));
    if (!file.open(mode))
        fail("cannot open", path, file.errorString());
}

#ifdef Q_OS_UNIX
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
std::size_t readInTwo(QFile& file, const QString& path, char* room, std::size_t size) {
    const int handle = file.handle();
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
        fail("cannot read", path,
             QString::fromLocal8Bit(std::strerror(first < 0 ? firstError : secondError)));
    return static_cast<std::size_t>(first) < half ? static_cast<std::size_t>(first)
                                                  : half + static_cast<std::size_t>(second);
}
#endif

} // namespace

QString FileStore::temporaryPathOf(const QString& path) {
    return path + QStringLiteral(".hakoniwa-saving");
}

bool FileStore::isSpecial(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

std::string FileStore::readAll(const QString& path) {
    QFile file(path);
    openToRead(file, path, QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail("cannot read", path, file.errorString());
    return bytes.toStdString();
}

std::size_t FileStore::readInto(const QString& path,
                                const std::function<char*(std::size_t size)>& makeRoom) {
    QFile file(path);
    openToRead(file, path, QIODevice::ReadOnly | QIODevice::Unbuffered);
    const auto size = static_cast<std::size_t>(file.size());
    char* const room = makeRoom(size);
#ifdef Q_OS_UNIX
    if (size >= kReadInTwoFrom)
        return readInTwo(file, path, room, size);
#endif
    std::size_t done = 0;
    while (done < size) {
        const qint64 read = file.read(room + done, static_cast<qint64>(size - done));
        if (read < 0)
            fail("cannot read", path, file.errorString());
        if (read == 0)
            break;
        done += static_cast<std::size_t>(read);
    }
    return done;
}

void FileStore::writeAll(const QString& path, const std::string& bytes) {
    const QString target = resolvedTarget(path);
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isFile())
        fail("cannot write", path, QStringLiteral("not a regular file"));
    // A file kept from being written is not replaced by one written beside it.
    if (existing.exists() && !existing.isWritable())
        fail("cannot write", path, QStringLiteral("the file is read-only"));
    const QString temporary = temporaryPathOf(target);
    QFile::remove(temporary); // left behind by a save that was killed part-way
    if (writeUnnamed(target, temporary, bytes)) {
        QString reason;
        if (!replaceFile(temporary, target, reason)) {
            QFile::remove(temporary);
            fail("cannot write", path, reason);
        }
        return;
    }
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (existing.exists())
            return overwriteInPlace(target, bytes);
        fail("cannot create", path, file.errorString());
    }
    if (existing.exists())
        file.setPermissions(existing.permissions());
    const auto discard = [&](const QString& reason) {
        file.close();
        QFile::remove(temporary);
        fail("cannot write", path, reason);
    };
    const auto size = static_cast<qint64>(bytes.size());
    // A write that stops short (a full disk, a size limit) is not always an error to the
    // file object: check the count and the flush ourselves.
    if (file.write(bytes.data(), size) != size || !file.flush())
        discard(file.errorString());
    if (!syncToDisk(file))
        discard(qt_error_string(errno));
    file.close();
    if (file.error() != QFileDevice::NoError)
        discard(file.errorString());
    QString reason;
    if (!replaceFile(temporary, target, reason))
        discard(reason);
}

bool FileStore::writeKeepingBackup(const QString& path, const std::string& bytes) {
    bool keptBackup = true;
    if (QFileInfo(path).isFile()) {
        try {
            writeAll(path + QStringLiteral(".bak"), readAll(path));
        } catch (const std::runtime_error&) {
            // A folder that takes no new file cannot hold a backup; the save itself may still
            // be written in place, which is what the user asked for. Any other failure (a full
            // disk, a folder in the backup's place) stops the save before the file is touched.
            const QFileInfo backup(path + QStringLiteral(".bak"));
            if (backup.exists() || QFileInfo(backup.absolutePath()).isWritable())
                throw;
            keptBackup = false;
        }
    }
    writeAll(path, bytes);
    return keptBackup;
}

} // namespace hakoniwa
