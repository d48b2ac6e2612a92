#pragma once

#include "platform/RecoveryStore.h"

#include <QObject>
#include <QString>
#include <functional>
#include <future>
#include <string>

class QTimer;
class QWidget;
namespace hakoniwa {
class Project;
}

// Keeps the open project safe from a crash: while it has unsaved changes, writes its source
// file every minute to this editor's own recovery file; at the next start, offers what every
// run that did not end normally left, newest first. A save or a clean exit removes the file.
//
// The bytes are made on the event-loop thread (nothing else may read the project) into a
// buffer whose memory is reused from one write to the next; the file is written on a worker
// thread. Fresh memory for a project that outgrew the buffer is also prepared on the worker,
// because touching it the first time costs far more than making the bytes.
class Recovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 60 * 1000;

    // Reads `project` (which outlives this) whenever `hasUnsavedChanges` says so. Claims a
    // recovery file of its own in `folder`; when the folder cannot be used, does nothing.
    Recovery(QObject* parent, const hakoniwa::Project& project,
             std::function<bool()> hasUnsavedChanges,
             const QString& folder = hakoniwa::RecoveryStore::defaultFolder());
    // Waits for a write in flight; the file stays.
    ~Recovery() override;

    bool active() const { return store_.claimed(); }
    QString path() const { return store_.path(); }

    // The file the project belongs to, named in the recovery file (none: the file it was
    // restored from).
    void setOrigin(std::function<QString()> origin) { origin_ = std::move(origin); }

    // At start: for each recovery file left by an editor that did not end, newest first, asks
    // (naming the file its work came from and the time it was written) whether to restore it,
    // which calls `restore` with its path and ends the questions, or to discard it. Then
    // starts the timer.
    void start(QWidget* parent, const std::function<void(const QString&)>& restore);
    // The timer's slot: writes the project when it has unsaved changes, removes the file when
    // it has none. A write still in flight makes it wait for the next turn.
    void autosave();
    // True while a write (or the preparation of memory for one) runs on the worker.
    bool writing() const;
    // Waits until a write in flight has ended.
    void finishWriting();
    // The project was saved: the file goes.
    void discard();
    // The program ends normally: the file goes and nothing is written any more.
    void cleanExit();

private:
    // The worker has made room for the bytes: make them now.
    void prepared();
    void collectWrite();
    void removeFile();
    void reportFailure(const QString& message);

    const hakoniwa::Project& project_;
    std::function<bool()> hasUnsavedChanges_;
    std::function<QString()> origin_;
    QString restoredFrom_;
    hakoniwa::RecoveryStore store_;
    QTimer* timer_ = nullptr;
    std::string buffer_; // only the worker touches it while `pending_` runs
    std::future<void> pending_;
    bool ended_ = false;
    bool failing_ = false; // reported once until a write succeeds again
};

// Attaches the crash recovery to the main window (Form1->recovery), after the windows exist.
void attachRecovery();
// Offers the work of a previous run that did not end normally, then starts the autosave.
void offerRecovery();
