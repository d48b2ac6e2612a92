// Started from the bin/ folder of an installed tree, beside the installed editor, this runs the
// editor's own start-up and run: it finds the data folder the editor would find, reads the
// vocabulary from it and presses 実行. It checks what that did and says so on its output.
//
//   InstalledEditorProbe <expected data folder>
//
// Exit status 0 when every check holds.

#include "app/Startup.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "platform/DataPlaces.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <exception>

namespace {

int failures = 0;

void check(bool holds, const QString& what) {
    std::printf("%s %s\n", holds ? "ok  " : "FAIL", qPrintable(what));
    failures += holds ? 0 : 1;
}

int lineCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count('\n') + (bytes.endsWith('\n') ? 0 : 1));
}

QByteArray waitForFile(const QString& path) {
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(path) && waited.elapsed() < 10000)
        QThread::msleep(20);
    QThread::msleep(100); // the script may still be writing its line
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void probe(const QString& expectedBase) {
    createWindows();
    const QString base = Form1->baseDir;
    check(QFileInfo(base).canonicalFilePath() == QFileInfo(expectedBase).canonicalFilePath(),
          "data folder " + base);
    check(QDir::currentPath() != base, "started from another folder " + QDir::currentPath());

    QFile conf(base + "/dat/txt/conf.txt");
    conf.open(QIODevice::ReadOnly);
    const QString folder = QString::fromLocal8Bit(conf.readLine()).trimmed();
    const QString vocabulary = base + "/dat/txt/" + folder + "/mtd.txt";
    check(Form3->cbMtd->count() > 0 && Form3->cbMtd->count() == lineCount(vocabulary),
          QString("%1 instructions read from %2").arg(Form3->cbMtd->count()).arg(vocabulary));
    check(Form3->cbCmp->count() > 0, QString("%1 components read").arg(Form3->cbCmp->count()));

    const QString shipped = base + "/dat/bat";
    const bool shippedWritable = hakoniwa::DataPlaces::current().isWritableFolder(shipped);
    check(!shippedWritable, "the installed run folder takes no new file");
    Form1->Button2Click();
    check(!Form1->windowTitle().contains(QStringLiteral("例外")),
          "実行 reported nothing: " + Form1->windowTitle());
    const QString own = hakoniwa::DataPlaces::current().userDataDir() + "/bat";
    const QByteArray log = waitForFile(own + "/run.log");
    const qint64 runFileSize = QFileInfo(own + "/tmp.txt").size();
    check(runFileSize > 0 && log.contains(QString("%1 bytes").arg(runFileSize).toUtf8()),
          "the run script logged the run file in " + own + ": " + QString::fromUtf8(log).trimmed());
    check(!QFile::exists(shipped + "/tmp.txt"), "nothing written into " + shipped);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <expected data folder>\n", argv[0]);
        return 2;
    }
    try {
        probe(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& failure) {
        check(false, QString("start-up failed: ") + QString::fromUtf8(failure.what()));
    }
    destroyWindows();
    return failures == 0 ? 0 : 1;
}
