#include "app/Unit1.h"

#include "app/Guarded.h"
#include "editor/Unit2.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "platform/DataPaths.h"
#include "platform/FileStore.h"

// The project source file: Open and Save read and write it through these two, and run
// writes it to the run file for the engine.

namespace {

// Written by 実行 for the run script; mkSource with an empty name writes here.
constexpr const char* kRunFile = "\\dat\\bat\\tmp.txt";

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

void TForm1::ldSource(const QString& fileName) {
    guarded(handler("TForm1::ldSource"), [&] {
        const LoadingFlag loading(isLoading);
        // An unreadable file stops here, before anything of the open project is touched.
        const std::string bytes = hakoniwa::FileStore::readAll(fileName);
        clrAllScene();
        // The tabs and memos show what was read, also when a line stopped the reader.
        const auto showReadProject = [this] {
            rebuildSceneWidgets();
            const int count = project.sceneCount();
            lastScene = count > 0 ? &project.scene(count - 1) : nullptr;
        };
        try {
            hakoniwa::SourceReader(project, Form2->downX, Form2->downY).read(bytes);
        } catch (...) {
            showReadProject();
            throw;
        }
        showReadProject();
    });
}

void TForm1::mkSource(const QString& fileName) {
    guarded(handler("TForm1::mkSource"), [&] {
        const QString path =
            fileName.isEmpty() ? hakoniwa::DataPaths::join(baseDir, kRunFile) : fileName;
        hakoniwa::FileStore::writeAll(path, hakoniwa::SourceWriter::write(project));
    });
}
