#include "WindowsFixture.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "editor/Unit2.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>

hakoniwa::Item* WindowsFixture::addCurrentItem() {
    Form2->addItm(Form1->project.scene(0));
    Form2->curItm = Form2->newItm;
    return Form2->curItm;
}

void WindowsFixture::copyDataFolder() {
    const QString source = QStringLiteral(HAKONIWA_SOURCE_DIR "/dat");
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        // What a run from the repository's editor left behind is no part of the data.
        if (file.endsWith("/bat/tmp.txt") || file.endsWith("/bat/run.log") ||
            file.endsWith("/bat/player.pid"))
            continue;
        const QString target = scratch.path() + "/dat/" + QDir(source).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
    QDir().mkpath(scratch.path() + "/dat/bat");
}

void WindowsFixture::SetUp() {
    ASSERT_TRUE(scratch.isValid());
    copyDataFolder();
    previousDir = QDir::currentPath();
    QDir::setCurrent(scratch.path());
    if (qEnvironmentVariableIsSet("XDG_STATE_HOME"))
        previousStateHome = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", scratch.filePath("state").toLocal8Bit());
    // A run that finds dat/bat read-only writes to the user's data folder: here, not the real one.
    if (qEnvironmentVariableIsSet("XDG_DATA_HOME"))
        previousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", scratch.filePath("data").toLocal8Bit());
    // Settings (the recent files) go below the scratch folder, never into the user's own.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, scratch.filePath("config"));
    auto fakePointer = std::make_unique<FakePointer>();
    pointer = fakePointer.get();
    hakoniwa::Pointer::install(std::move(fakePointer));
    auto fakeDialogs = std::make_unique<FakeDialogs>();
    dialogs = fakeDialogs.get();
    hakoniwa::Dialogs::install(std::move(fakeDialogs));
    createWindows();
}

void WindowsFixture::TearDown() {
    destroyWindows();
    hakoniwa::Pointer::install(nullptr);
    hakoniwa::Dialogs::install(nullptr);
    QDir::setCurrent(previousDir);
    if (previousStateHome)
        qputenv("XDG_STATE_HOME", *previousStateHome);
    else
        qunsetenv("XDG_STATE_HOME");
    if (previousDataHome)
        qputenv("XDG_DATA_HOME", *previousDataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}
