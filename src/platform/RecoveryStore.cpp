#include "platform/RecoveryStore.h"

#include "platform/FileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace hakoniwa {
namespace {

constexpr char kOriginTag[] = "hakoniwa-recovery-from\t";

// The state folder holds what the user typed and nobody else should read: made readable by
// its owner only, also when it was there before.
bool makeOwnerOnlyFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    struct stat info {};
    const QByteArray name = QFile::encodeName(folder);
    return ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && ::chmod(name.constData(), S_IRWXU) == 0;
}

// A lock file is read when another holds it: whatever is no regular file at its name (a FIFO
// would block the start, a device never end) is taken away first. False when it stays.
bool clearForLock(const QString& lockPath) {
    struct stat info {};
    const QByteArray name = QFile::encodeName(lockPath);
    if (::lstat(name.constData(), &info) != 0 || S_ISREG(info.st_mode))
        return true;
    return ::unlink(name.constData()) == 0;
}

QString lockPathOf(const QString& recoveryPath) {
    return recoveryPath.chopped(4) + QStringLiteral(".lock");
}

// The lock of `recoveryPath`, taken; nullptr when another running editor holds it.
std::unique_ptr<QLockFile> lockOf(const QString& recoveryPath) {
    const QString lockPath = lockPathOf(recoveryPath);
    if (!clearForLock(lockPath))
        return nullptr;
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Held for the editor's whole run, so age says nothing: only a lock whose process is gone
    // counts as stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

// The file named by the first line of a recovery file; empty when it names none.
QString originOf(const QString& path) {
    QFile file(path);
    if (FileStore::isSpecial(path) || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray first = file.readLine(4096);
    if (!first.startsWith(kOriginTag))
        return QString();
    return QString::fromUtf8(first.mid(int(sizeof kOriginTag) - 1).trimmed());
}

} // namespace

struct RecoveryStore::Held {
    Leftover leftover;
    std::unique_ptr<QLockFile> lock;
};

QString RecoveryStore::defaultFolder() {
    // Qt 6.4 knows no state location; this is where the XDG base directory rules put it.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/hakoniwa"));
}

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::claim() {
    if (claimed())
        return true;
    if (!makeOwnerOnlyFolder(folder_))
        return false;
    for (int attempt = 0; attempt < 20; ++attempt) {
        QString id;
        for (int i = 0; i < 8; ++i)
            id += QChar('a' + QRandomGenerator::system()->bounded(26));
        const QString path = folder_ + QStringLiteral("/recovery-") + id + QStringLiteral(".txt");
        if (QFileInfo::exists(path) || QFileInfo::exists(lockPathOf(path)))
            continue;
        if (auto lock = lockOf(path)) {
            path_ = path;
            lock_ = std::move(lock);
            return true;
        }
    }
    return false;
}

bool RecoveryStore::claimed() const {
    return lock_ && lock_->isLocked();
}

bool RecoveryStore::exists() const {
    return QFileInfo(path_).isFile();
}

void RecoveryStore::write(const QString& path, const std::string& bytes) {
    makeOwnerOnlyFolder(QFileInfo(path).path());
    FileStore::writeAll(path, bytes, 0600);
}

bool RecoveryStore::remove() const {
    return !QFileInfo::exists(path_) || QFile::remove(path_);
}

std::string RecoveryStore::originLine(const QString& origin) {
    QString oneLine = origin;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return kOriginTag + oneLine.toStdString() + "\r\n";
}

std::vector<RecoveryStore::Leftover> RecoveryStore::takeLeftovers() {
    releaseLeftovers();
    const QStringList names = QDir(folder_).entryList({QStringLiteral("recovery*.txt")},
                                                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString path = folder_ + QLatin1Char('/') + name;
        if (path == path_ || !QFileInfo(path).isFile())
            continue;
        if (auto lock = lockOf(path))
            held_.push_back(std::make_unique<Held>(
                Held{{path, originOf(path), QFileInfo(path).lastModified()}, std::move(lock)}));
    }
    std::stable_sort(held_.begin(), held_.end(), [](const auto& a, const auto& b) {
        return a->leftover.writtenAt > b->leftover.writtenAt;
    });
    std::vector<Leftover> leftovers;
    for (const auto& held : held_)
        leftovers.push_back(held->leftover);
    return leftovers;
}

void RecoveryStore::takeOver(const QString& path) {
    const auto found = std::find_if(held_.begin(), held_.end(),
                                    [&](const auto& held) { return held->leftover.path == path; });
    if (found == held_.end())
        return;
    remove();
    lock_ = std::move((*found)->lock);
    path_ = path;
    held_.erase(found);
}

bool RecoveryStore::discard(const QString& path) {
    const bool gone = !QFileInfo::exists(path) || QFile::remove(path);
    const auto found = std::find_if(held_.begin(), held_.end(),
                                    [&](const auto& held) { return held->leftover.path == path; });
    if (gone && found != held_.end())
        held_.erase(found); // its lock goes with it
    return gone;
}

void RecoveryStore::releaseLeftovers() {
    held_.clear();
}

} // namespace hakoniwa
