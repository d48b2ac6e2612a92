#include "app/ProjectFile.h"

#include "app/Guarded.h"
#include "app/Recovery.h"
#include "app/Unit1.h"
#include "editor/Unit2.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"
#include "platform/FileStore.h"

#include <QDir>
#include <QStatusBar>

// The project source file: Open and Save read and write it through these two, and run
// writes it to the run file for the engine.

namespace {

// Written by 実行 for the run script, in the run folder; mkSource with an empty name writes here.
QString runFilePath(const QString& baseDir) {
    return QDir(hakoniwa::DataPaths::runFolder(baseDir)).filePath(QStringLiteral("tmp.txt"));
}

const QString kNotAProject = QStringLiteral("プロジェクトファイルではありません");

// The file this editor last read or wrote, and what it held then.
struct LastSeen {
    QString fileName;
    hakoniwa::FileStamp stamp;
};

LastSeen& lastSeen() {
    static LastSeen seen;
    return seen;
}

// Tells the user, in the status bar, why the save left no previous version beside the file.
QString backupNote(hakoniwa::FileStore::Backup backup) {
    using Backup = hakoniwa::FileStore::Backup;
    switch (backup) {
    case Backup::FolderClosed:
        return QStringLiteral("このフォルダには前の版 (.bak) を残せないため、上書きしました");
    case Backup::NameTooLong:
        return QStringLiteral("名前が長すぎて前の版 (.bak) を残せないため、上書きしました");
    case Backup::Refused:
        return QStringLiteral("前の版 (.bak) を置き換えられないため、上書きしました");
    default:
        return QString();
    }
}

// True for the whole of a read, also when it ends by a failure: while it is set, new memos
// are hidden, new sheets stay out of the details window and nothing is redrawn.
class LoadingFlag {
public:
    explicit LoadingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingFlag() { flag_ = false; }
    LoadingFlag(const LoadingFlag&) = delete;
    LoadingFlag& operator=(const LoadingFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

TForm1::ReadResult TForm1::ldSource(const QString& fileName) {
    // Shown once reading is over, so that nothing runs under the message box while loading.
    QString message;
    bool replaced = false;
    const bool complete = guarded(handler("TForm1::ldSource"), [&] {
        const LoadingFlag loading(isLoading);
        // What is no project is refused before the open project is touched: a folder, a FIFO
        // or a device unopened, a file without the header once read. An unreadable file
        // stops here too, by its failure.
        if (hakoniwa::FileStore::isSpecial(fileName)) {
            message = kNotAProject;
            return;
        }
        // Read into a block the cells view in place, so that no cell text is copied.
        const auto block = hakoniwa::TextBlock::readBy([&](const auto& makeRoom) {
            return hakoniwa::FileStore::readInto(fileName, makeRoom);
        });
        if (!hakoniwa::SourceReader::isProjectSource(block->bytes())) {
            message = kNotAProject;
            return;
        }
        projectfile::remember(fileName, block->bytes());
        clrAllScene();
        replaced = true;
        // The tabs and memos show what was read, also when a line stopped the reader.
        const auto showReadProject = [this] {
            rebuildSceneWidgets();
            const int count = project.sceneCount();
            lastScene = count > 0 ? &project.scene(count - 1) : nullptr;
        };
        try {
            hakoniwa::SourceReader(project, Form2->downX, Form2->downY).read(*block);
        } catch (const hakoniwa::SourceReader::Failure& failure) {
            showReadProject();
            message = QString::fromUtf8(failure.what());
            throw;
        } catch (...) {
            showReadProject();
            throw;
        }
        showReadProject();
    });
    if (!message.isEmpty())
        hakoniwa::Dialogs::current().showError(this, message);
    if (!replaced)
        return ReadResult::Unchanged;
    return complete ? ReadResult::Complete : ReadResult::Partial;
}

bool TForm1::mkSource(const QString& fileName) {
    return guarded(handler("TForm1::mkSource"), [&] {
        if (fileName.isEmpty()) {
            hakoniwa::FileStore::writeAll(runFilePath(baseDir),
                                          hakoniwa::SourceWriter::write(project));
            return;
        }
        // A save keeps the previous version beside the file, and makes the recovery copy
        // unneeded.
        const std::string bytes = hakoniwa::SourceWriter::write(project);
        const QString note = backupNote(hakoniwa::FileStore::writeKeepingBackup(fileName, bytes));
        projectfile::remember(fileName, bytes);
        if (!note.isEmpty())
            statusBar()->showMessage(note);
        if (recovery)
            recovery->discard();
    });
}

void projectfile::remember(const QString& fileName, std::string_view bytes) {
    lastSeen() = {fileName, hakoniwa::FileStore::stampOf(fileName, bytes)};
}

projectfile::Overwrite projectfile::askBeforeOverwriting(QWidget* parent, const QString& fileName) {
    if (fileName != lastSeen().fileName)
        return Overwrite::Yes;
    bool changed = true;
    try {
        changed = hakoniwa::FileStore::changedSince(fileName, lastSeen().stamp);
    } catch (const std::exception&) {
        // Unreadable now: better asked about than written over unseen.
    }
    if (!changed)
        return Overwrite::Yes;
    const int answer = hakoniwa::Dialogs::current().choose(
        parent, QStringLiteral("ファイルはほかのプログラムで変更されています。上書きしますか？"),
        {QStringLiteral("上書き"), QStringLiteral("名前を付けて保存"),
         QStringLiteral("キャンセル")});
    if (answer == 0)
        return Overwrite::Yes;
    return answer == 1 ? Overwrite::SaveAs : Overwrite::Cancel;
}
