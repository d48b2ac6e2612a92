#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <string>

class QLockFile;

// The recovery file, recovery.txt in the user's state folder, where the editor keeps the
// unsaved project in case it does not end normally. Only one running editor uses it: the one
// that claimed it, which holds a lock beside it until it ends (a crashed editor's lock is
// taken over).
namespace hakoniwa {

class RecoveryStore {
public:
    // $XDG_STATE_HOME/hakoniwa, or ~/.local/state/hakoniwa when that variable is unset or not
    // an absolute path.
    static QString defaultFolder();

    explicit RecoveryStore(QString folder = defaultFolder());
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Makes the folder (readable by its owner only) and takes the lock; false when another
    // running editor holds it or the folder cannot be made.
    bool claim();
    bool claimed() const;

    QString path() const { return path_; }
    bool exists() const;
    // When the file was last written.
    QDateTime writtenAt() const;
    // Replaces the file with `bytes`, remaking the folder if it went away. Touches nothing but
    // the file system, so it may run on any thread; throws std::runtime_error on failure.
    static void write(const QString& path, const std::string& bytes);
    // Removes the file; false when it is still there afterwards.
    bool remove() const;

private:
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace hakoniwa
