#include "platform/NewFile.h"

#include "platform/FileStore.h"
#include "platform/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace hakoniwa::files {

void fail(const QString& what, const QString& path, const QString& reason) {
    throw std::runtime_error(
        (what + QStringLiteral(": ") + path + QStringLiteral("（") + reason + QStringLiteral("）"))
            .toStdString());
}

void failWith(const QString& what, const QString& path, int error) {
    fail(what, path, systemErrorText(error));
}

QString cannotWrite() {
    return QStringLiteral("書き込めません");
}

bool isFolderClosed(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

Folder::Folder(const QString& path) {
    // As given: a relative name needs no access to the folders above.
    const QString folder = QFileInfo(path).path();
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0 || ::fstat(fd_, &info_) != 0)
        failWith(cannotWrite(), path, errno);
}

Folder::~Folder() {
    if (fd_ >= 0)
        ::close(fd_);
}

long Folder::nameMax() const {
    const long max = ::fpathconf(fd_, _PC_NAME_MAX);
    return max > 0 ? max : 255;
}

void Folder::sync() const {
    ::fsync(fd_);
}

QByteArray randomName() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = ".hakoniwa-";
    for (int i = 0; i < 8; ++i)
        name += letters[QRandomGenerator::system()->bounded(36)];
    return name;
}

int NewFile::make(const Folder& folder, unsigned mode, NewFile& made) {
    made.discard();
    made.folder_ = &folder;
#ifdef O_TMPFILE
    made.fd_ = ::openat(folder.fd(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (made.fd_ >= 0)
        return 0;
    // A file system without unnamed files says so in one of these; the others are final.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOENT)
        return errno;
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = randomName();
        made.fd_ = ::openat(folder.fd(), name.constData(),
                            O_CREAT | O_EXCL | O_NOFOLLOW | O_RDWR | O_CLOEXEC, mode);
        if (made.fd_ >= 0) {
            made.name_ = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

NewFile::~NewFile() {
    discard();
}

void NewFile::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!name_.isEmpty() && folder_)
        ::unlinkat(folder_->fd(), name_.constData(), 0);
    name_.clear();
}

int writeFully(int fd, const char* bytes, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, bytes, size, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return ENOSPC;
        bytes += written;
        offset += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int NewFile::writeAndSync(const char* bytes, std::size_t size) {
    if (const int error = writeFully(fd_, bytes, size, 0))
        return error;
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int NewFile::giveName() {
    if (!name_.isEmpty())
        return 0;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = randomName();
        if (::linkat(AT_FDCWD, self.constData(), folder_->fd(), name.constData(),
                     AT_SYMLINK_FOLLOW) == 0 ||
            ::linkat(fd_, "", folder_->fd(), name.constData(), AT_EMPTY_PATH) == 0) {
            name_ = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int NewFile::placeAs(const QByteArray& name) {
    if (const int error = giveName())
        return error;
    if (::renameat(folder_->fd(), name_.constData(), folder_->fd(), name.constData()) != 0)
        return errno;
    name_.clear();
    ::close(fd_);
    fd_ = -1;
    return 0;
}

void overwriteInPlace(const QString& path, const std::string& bytes) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd < 0)
        failWith(cannotWrite(), path, errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        fail(cannotWrite(), path, QStringLiteral("通常のファイルではありません"));
    }
    std::string previous(static_cast<std::size_t>(info.st_size), '\0');
    for (std::size_t done = 0; done < previous.size();) {
        const ssize_t read =
            ::pread(fd, previous.data() + done, previous.size() - done, static_cast<off_t>(done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0) {
            const int error = read < 0 ? errno : EIO;
            ::close(fd);
            failWith(cannotWrite(), path, error);
        }
        done += static_cast<std::size_t>(read);
    }
    // Writing over the old bytes rather than cutting them first means a full disk is met only
    // past the old size, where the old bytes still fit.
    const auto put = [fd](const std::string& what) {
        if (const int error = writeFully(fd, what.data(), what.size(), 0))
            return error;
        if (::ftruncate(fd, static_cast<off_t>(what.size())) != 0 || ::fsync(fd) != 0)
            return errno;
        return 0;
    };
    const int error = put(bytes);
    if (error != 0)
        put(previous);
    ::close(fd);
    if (error != 0)
        failWith(cannotWrite(), path, error);
}

} // namespace hakoniwa::files
