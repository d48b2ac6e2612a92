#include "platform/RecoveryStore.h"

#include "platform/FileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace hakoniwa {
namespace {

// The state folder holds what the user typed and nobody else should read.
bool makeOwnerOnlyFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

} // namespace

QString RecoveryStore::defaultFolder() {
    // Qt 6.4 knows no state location; this is where the XDG base directory rules put it.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/hakoniwa"));
}

RecoveryStore::RecoveryStore(QString folder)
    : folder_(std::move(folder)), path_(folder_ + QStringLiteral("/recovery.txt")) {}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::claim() {
    if (claimed())
        return true;
    if (!makeOwnerOnlyFolder(folder_))
        return false;
    auto lock = std::make_unique<QLockFile>(folder_ + QStringLiteral("/recovery.lock"));
    // Held for the editor's whole run, so age says nothing: only a lock whose process is gone
    // counts as stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    lock_ = std::move(lock);
    return true;
}

bool RecoveryStore::claimed() const {
    return lock_ && lock_->isLocked();
}

bool RecoveryStore::exists() const {
    return QFileInfo(path_).isFile();
}

QDateTime RecoveryStore::writtenAt() const {
    return QFileInfo(path_).lastModified();
}

void RecoveryStore::write(const QString& path, const std::string& bytes) {
    makeOwnerOnlyFolder(QFileInfo(path).path());
    FileStore::writeAll(path, bytes);
}

bool RecoveryStore::remove() const {
    return !QFileInfo::exists(path_) || QFile::remove(path_);
}

} // namespace hakoniwa
