#include "app/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kKey = QStringLiteral("recentFiles");

QSettings settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Hakoniwa"),
                     QStringLiteral("Hakoniwa"));
}

void store(const QStringList& files) {
    settings().setValue(kKey, files);
}

} // namespace

QStringList RecentFiles::list() {
    QStringList files = settings().value(kKey).toStringList();
    // A hand-edited settings file may hold more than the menu offers.
    while (files.size() > kLimit)
        files.removeLast();
    return files;
}

void RecentFiles::add(const QString& fileName) {
    // The same file reached by another relative path is still one entry.
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    QStringList files = list();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kLimit)
        files.removeLast();
    store(files);
}

void RecentFiles::remove(const QString& fileName) {
    QStringList files = list();
    files.removeAll(fileName);
    store(files);
}
