#include "platform/FileStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

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

} // namespace

bool FileStore::isSpecial(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

std::string FileStore::readAll(const QString& path) {
    // Opening a FIFO for reading waits for a writer, and a device may never end.
    if (isSpecial(path))
        fail("cannot read", path, QStringLiteral("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot open", path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail("cannot read", path, file.errorString());
    return bytes.toStdString();
}

void FileStore::writeAll(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (QFileInfo(path).isFile())
            return overwriteInPlace(path, bytes);
        fail("cannot create", path, file.errorString());
    }
    const auto size = static_cast<qint64>(bytes.size());
    // A write that stops short (a full disk, a size limit) is not always an error to the
    // file object, and commit would then put the shortened file in place: check both the
    // count and the flush ourselves and throw the temporary file away on either.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail("cannot write", path, reason);
    }
    if (!file.commit())
        fail("cannot write", path, file.errorString());
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
