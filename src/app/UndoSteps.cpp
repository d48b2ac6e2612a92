#include "app/UndoSteps.h"

#include "app/Guarded.h"
#include "app/Unit1.h"

#include <QUndoStack>

ProjectCommand::ProjectCommand(const QString& name, hakoniwa::ChangeLog log, MergeKind kind,
                               quint64 key)
    : QUndoCommand(name), log_(std::move(log)), kind_(kind), key_(key) {}

void ProjectCommand::undo() {
    reported([&] { log_.undo(); });
    Form1->projectRestored();
}

void ProjectCommand::redo() {
    // The first redo is the push: the action itself already made the change.
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    reported([&] { log_.redo(); });
    Form1->projectRestored();
}

bool ProjectCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = static_cast<const ProjectCommand*>(other);
    if (kind_ == MergeKind::None || later->kind_ != kind_ || later->key_ != key_)
        return false;
    log_.append(std::move(const_cast<ProjectCommand*>(later)->log_));
    return true;
}

void pushEdit(const QString& name, hakoniwa::ChangeLog log, MergeKind kind, quint64 key) {
    if (log.empty() || !Form1 || !Form1->undoStack)
        return;
    Form1->undoStack->push(new ProjectCommand(name, std::move(log), kind, key));
}

MemoCommand::MemoCommand(hakoniwa::Scene& scene, std::vector<std::string> before,
                         std::vector<std::string> after, quint64 burst)
    : QUndoCommand(QStringLiteral("メモの編集")), scene_(scene), before_(std::move(before)),
      after_(std::move(after)), burst_(burst) {}

void MemoCommand::undo() {
    scene_.memo = before_;
    Form1->projectRestored();
}

void MemoCommand::redo() {
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    scene_.memo = after_;
    Form1->projectRestored();
}

bool MemoCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = static_cast<const MemoCommand*>(other);
    if (&later->scene_ != &scene_ || later->burst_ != burst_)
        return false;
    after_ = later->after_;
    setObsolete(after_ == before_); // typed and taken back: no step at all
    return true;
}
