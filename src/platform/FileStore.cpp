#include "platform/FileStore.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

namespace hakoniwa {
namespace {

[[noreturn]] void fail(const char* what, const QString& path, const QString& reason) {
    throw std::runtime_error(std::string(what) + " " + path.toStdString() + ": " +
                             reason.toStdString());
}

} // namespace

std::string FileStore::readAll(const QString& path) {
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
    if (!file.open(QIODevice::WriteOnly))
        fail("cannot create", path, file.errorString());
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

} // namespace hakoniwa
