#include "platform/DataPlaces.h"

#include "platform/Seam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hakoniwa {
namespace {

class SystemPlaces : public DataPlaces {
public:
    QString binaryDir() const override {
        // Without an application object there is no program path to go by.
        return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    }
    QString workingDir() const override { return QDir::currentPath(); }
    QString userDataDir() const override {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty() || QDir::isRelativePath(data))
            data = QDir::homePath() + QStringLiteral("/.local/share");
        return QDir::cleanPath(data + QStringLiteral("/hakoniwa"));
    }
    bool isWritableFolder(const QString& folder) const override {
        // The operating system's own answer (access), so that a read-only mount counts too.
        const QFileInfo info(folder);
        return info.isDir() && info.isWritable();
    }
};

} // namespace

DataPlaces& DataPlaces::current() {
    return Seam<DataPlaces, SystemPlaces>::current();
}

void DataPlaces::install(std::unique_ptr<DataPlaces> places) {
    Seam<DataPlaces, SystemPlaces>::install(std::move(places));
}

} // namespace hakoniwa
