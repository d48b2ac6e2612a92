#include "app/Unit1.h"

#include "app/Guarded.h"
#include "app/Recovery.h"
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
        if (!hakoniwa::FileStore::writeKeepingBackup(fileName,
                                                     hakoniwa::SourceWriter::write(project)))
            statusBar()->showMessage(
                QStringLiteral("このフォルダには前の版 (.bak) を残せないため、上書きしました"));
        if (recovery)
            recovery->discard();
    });
}
