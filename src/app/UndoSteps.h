#pragma once

#include "model/ChangeLog.h"
#include "model/Scene.h"

#include <QString>
#include <QUndoCommand>
#include <string>
#include <utility>
#include <vector>

// Every user action that changes the project becomes one step of the main window's undo
// stack: the action runs while a change log records, and the log becomes the step.

// Steps that a following action of the same kind and key joins: the moves of one drag, the
// keys of one memo burst.
enum class MergeKind { None = -1, Drag = 1, Memo = 2 };

// One user action's change log as a step of the undo stack. Pushing it does nothing (the
// action has already run); undo and redo replay the log and bring the windows in line.
class ProjectCommand : public QUndoCommand {
public:
    ProjectCommand(const QString& name, hakoniwa::ChangeLog log, MergeKind kind, quint64 key);
    void undo() override;
    void redo() override;
    int id() const override { return static_cast<int>(kind_); }
    bool mergeWith(const QUndoCommand* other) override;

private:
    hakoniwa::ChangeLog log_;
    MergeKind kind_;
    quint64 key_;
    bool pushed_ = false;
};

// A memo's text before and after one burst of typing; the keys of one burst join it, keeping
// only the first text and the last.
class MemoCommand : public QUndoCommand {
public:
    MemoCommand(hakoniwa::Scene& scene, std::vector<std::string> before,
                std::vector<std::string> after, quint64 burst);
    void undo() override;
    void redo() override;
    int id() const override { return static_cast<int>(MergeKind::Memo); }
    bool mergeWith(const QUndoCommand* other) override;

private:
    hakoniwa::Scene& scene_;
    std::vector<std::string> before_, after_;
    quint64 burst_;
    bool pushed_ = false;
};

// Puts what the log recorded on the main window's undo stack as the step `name`; an empty log
// makes no step.
void pushEdit(const QString& name, hakoniwa::ChangeLog log, MergeKind kind = MergeKind::None,
              quint64 key = 0);

// Runs the action while a change log records and makes what it changed one undo step. Inside
// another recorded action it only runs: the outer action is the step. What a failing action
// changed before it failed stays, and is a step too.
template <typename Body>
void recordEdit(const QString& name, Body&& body, MergeKind kind = MergeKind::None,
                quint64 key = 0) {
    if (hakoniwa::ChangeLog::recording()) {
        body();
        return;
    }
    hakoniwa::ChangeLog log;
    try {
        const hakoniwa::ChangeLog::Recording recording(log);
        body();
    } catch (...) {
        pushEdit(name, std::move(log), kind, key);
        throw;
    }
    pushEdit(name, std::move(log), kind, key);
}
