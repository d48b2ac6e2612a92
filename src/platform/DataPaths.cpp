#include "platform/DataPaths.h"

#include "platform/Cp932Codec.h"
#include "platform/DataPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hakoniwa {
namespace {

bool holdsData(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/dat/txt/conf.txt")).isFile();
}

// The user may edit the copy to start an engine of their own, so it is theirs to write even
// when the installed script was read-only.
void copyRunScript(const QString& fromFolder, const QString& toFolder) {
    const QString target = toFolder + QLatin1Char('/') + DataPaths::runScriptName();
    if (QFileInfo::exists(target))
        return;
    if (QFile::copy(fromFolder + QLatin1Char('/') + DataPaths::runScriptName(), target))
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
}

} // namespace

QString DataPaths::join(const QString& baseDir, const std::string& relative) {
    QString tail = Cp932Codec::decode(relative);
    tail.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // An empty folder name gives two separators in a row: the files lie directly in the parent.
    return QDir::toNativeSeparators(QDir::cleanPath(baseDir + QLatin1Char('/') + tail));
}

QString DataPaths::findBaseDir() {
    const DataPlaces& places = DataPlaces::current();
    const QString binary = places.binaryDir();
    if (!binary.isEmpty()) {
        for (const QString& candidate : {binary, binary + QStringLiteral("/../share/hakoniwa")})
            if (holdsData(candidate))
                return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    }
    return places.workingDir();
}

QString DataPaths::runFolder(const QString& baseDir) {
    const DataPlaces& places = DataPlaces::current();
    const QString shipped = join(baseDir, "\\dat\\bat");
    if (places.isWritableFolder(shipped))
        return shipped;
    const QString own = QDir::toNativeSeparators(places.userDataDir() + QStringLiteral("/bat"));
    // When the folder cannot be made, writing the run file fails and says so.
    if (QDir().mkpath(own))
        copyRunScript(shipped, own);
    return own;
}

QString DataPaths::runScriptName() {
#ifdef Q_OS_WIN
    return QStringLiteral("run.bat");
#else
    return QStringLiteral("run.sh");
#endif
}

} // namespace hakoniwa
