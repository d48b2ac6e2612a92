#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class QLockFile;

// The recovery files in the user's state folder, where each running editor keeps its unsaved
// project in case it does not end normally. Each editor has a file of its own
// (recovery-<id>.txt) and holds a lock beside it (recovery-<id>.lock) until it ends; a file
// whose lock nobody holds was left by an editor that did not end, and is offered at the next
// start. A recovery file starts with a line naming the file its work came from, which the
// project reader passes over as it does any line before the project.
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

    // Makes the folder (its owner's only, also when it was there) and takes a recovery file of
    // this editor's own with its lock; false when the folder cannot be made or is not the
    // user's own.
    bool claim();
    bool claimed() const;

    QString path() const { return path_; }
    bool exists() const;
    // Replaces the file with `bytes`, remaking the folder if it went away. Touches nothing but
    // the file system, so it may run on any thread; throws std::runtime_error on failure.
    static void write(const QString& path, const std::string& bytes);
    // Removes the file; false when it is still there afterwards.
    bool remove() const;

    // The first line of a recovery file: names `origin`, the project's file (may be empty).
    static std::string originLine(const QString& origin);

    // A recovery file left by an editor that did not end.
    struct Leftover {
        QString path;
        QString origin; // the file its work came from; empty for a project never saved
        QDateTime writtenAt;
    };
    // Every leftover in the folder, newest first. Each is held (its lock taken) until it is
    // taken over, discarded or released, so that no other editor starting now offers it too.
    std::vector<Leftover> takeLeftovers();
    // Makes the leftover at `path` this editor's recovery file, in place of its own.
    void takeOver(const QString& path);
    // Removes the leftover at `path`; false when it is still there afterwards.
    bool discard(const QString& path);
    // Lets go of the leftovers neither taken over nor discarded: the next start offers them.
    void releaseLeftovers();

private:
    struct Held;
    QString folder_;
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    std::vector<std::unique_ptr<Held>> held_;
};

} // namespace hakoniwa
