#include "app/Recovery.h"

#include "app/ErrorLog.h"
#include "app/Guarded.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "model/SourceWriter.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <QUndoStack>
#include <chrono>

using hakoniwa::RecoveryStore;
using hakoniwa::SourceWriter;

namespace {

// Below this size the first touch of fresh memory costs little, and the bytes are made at once.
constexpr std::size_t kPreparedAbove = std::size_t{1} << 20;

// Gives `buffer` room for `capacity` bytes and touches all of it once, so that making the
// bytes in it later meets memory that is already there.
void prepare(std::string& buffer, std::size_t capacity) {
    buffer.clear();
    buffer.reserve(capacity);
    buffer.resize(capacity);
    buffer.clear();
}

} // namespace

Recovery::Recovery(QObject* parent, const hakoniwa::Project& project,
                   std::function<bool()> hasUnsavedChanges, const QString& folder)
    : QObject(parent), project_(project), hasUnsavedChanges_(std::move(hasUnsavedChanges)),
      store_(folder) {
    timer_ = new QTimer(this);
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &Recovery::autosave);
    if (auto* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &Recovery::cleanExit);
    if (!store_.claim())
        errorLog().addMessage(
            QStringLiteral("%1 を使えないため、自動保存しません（フォルダーを作れないか、"
                           "ほかのユーザーのものです）")
                .arg(folder));
}

Recovery::~Recovery() {
    finishWriting();
}

void Recovery::start(QWidget* parent, const std::function<void(const QString&)>& restore) {
    if (!active())
        return;
    // Newest first; the first one restored ends the questions, and the rest wait for the
    // next start, as nothing may replace the work just restored.
    for (const RecoveryStore::Leftover& leftover : store_.takeLeftovers()) {
        const QString written = leftover.writtenAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        const QString when =
            leftover.origin.isEmpty()
                ? written
                : QStringLiteral("%1、%2").arg(QDir::toNativeSeparators(leftover.origin), written);
        const int answer = hakoniwa::Dialogs::current().choose(
            parent,
            QStringLiteral("前回終了しなかったときの作業が残っています（%1 保存）。復元しますか？")
                .arg(when),
            {QStringLiteral("復元"), QStringLiteral("破棄")});
        // A question closed without an answer loses nothing: the work comes back.
        if (answer == 1) {
            if (!store_.discard(leftover.path))
                reportFailure(QStringLiteral("%1 を削除できません").arg(leftover.path));
            continue;
        }
        store_.takeOver(leftover.path);
        restoredFrom_ = leftover.origin;
        restore(store_.path());
        break;
    }
    store_.releaseLeftovers();
    timer_->start();
}

void Recovery::autosave() {
    if (!active() || ended_ || writing())
        return;
    collectWrite();
    // Runs from the timer, so nothing may leave it; a failure goes into the error history.
    try {
        if (!hasUnsavedChanges_()) {
            removeFile();
            return;
        }
        const std::size_t needed = SourceWriter::size(project_);
        if (needed > kPreparedAbove && buffer_.capacity() < needed) {
            // Room to grow, so that a project growing by a little does not come back here.
            pending_ = std::async(std::launch::async, [this, capacity = needed + needed / 4] {
                prepare(buffer_, capacity);
                QMetaObject::invokeMethod(this, &Recovery::prepared, Qt::QueuedConnection);
            });
            return;
        }
        buffer_.clear();
        const QString origin = origin_ ? origin_() : QString();
        buffer_ = RecoveryStore::originLine(origin.isEmpty() ? restoredFrom_ : origin);
        SourceWriter::write(project_, buffer_);
        pending_ = std::async(std::launch::async, [this, path = store_.path()] {
            RecoveryStore::write(path, buffer_);
        });
    } catch (const std::exception& failure) {
        reportFailure(QStringLiteral("自動保存できませんでした: ") +
                      QString::fromUtf8(failure.what()));
    }
}

void Recovery::prepared() {
    // Posted by the worker just before it ends.
    finishWriting();
    autosave();
}

bool Recovery::writing() const {
    using namespace std::chrono_literals;
    return pending_.valid() && pending_.wait_for(0s) != std::future_status::ready;
}

void Recovery::collectWrite() {
    if (!pending_.valid())
        return;
    try {
        pending_.get();
        failing_ = false;
    } catch (const std::exception& failure) {
        reportFailure(QStringLiteral("自動保存できませんでした: ") +
                      QString::fromUtf8(failure.what()));
    }
}

void Recovery::finishWriting() {
    if (pending_.valid())
        pending_.wait();
    collectWrite();
}

void Recovery::discard() {
    finishWriting();
    removeFile();
}

void Recovery::cleanExit() {
    ended_ = true;
    timer_->stop();
    discard();
}

void Recovery::removeFile() {
    if (active() && !store_.remove())
        reportFailure(QStringLiteral("%1 を削除できません").arg(store_.path()));
}

void Recovery::reportFailure(const QString& message) {
    // Once until the next success: the timer would repeat it every minute.
    if (failing_)
        return;
    failing_ = true;
    errorLog().addMessage(message);
}

// ---- the main window's side --------------------------------------------------------------

bool TForm1::hasUnsavedChanges() const {
    return !undoStack || !undoStack->isClean();
}

namespace {

// Reads the recovery file as Open reads a project, and leaves it marked unsaved.
void restoreProject(const QString& path) {
    if (Form1->ldSource(path) == TForm1::ReadResult::Unchanged)
        return;
    Form2->dspAllItm();
    Form3->updHenCb();
    Form1->pcSceneChange();
    // Restored work belongs to no file yet and is unsaved.
    Form1->projectFile.clear();
    Form1->undoStack->clear();
    Form1->undoStack->resetClean();
    Form1->updateTitle();
}

} // namespace

void attachRecovery() {
    Form1->recovery =
        new Recovery(Form1, Form1->project, [] { return Form1 && Form1->hasUnsavedChanges(); });
    Form1->recovery->setOrigin([] { return Form1 ? Form1->projectFile : QString(); });
}

void offerRecovery() {
    if (!Form1 || !Form1->recovery)
        return;
    Form1->recovery->start(Form1,
                           [](const QString& path) { reported([&] { restoreProject(path); }); });
}
