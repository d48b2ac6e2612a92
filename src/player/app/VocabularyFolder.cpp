#include "player/app/VocabularyFolder.h"

#include "model/Definitions.h"
#include "platform/DataPaths.h"
#include "platform/DataPlaces.h"

#include <QFile>

namespace hakoniwa::player {

QString defaultVocabularyFolder() {
    const QString base = DataPaths::findBaseDir();
    QFile conf(DataPaths::join(base, "\\dat\\txt\\conf.txt"));
    if (!conf.open(QIODevice::ReadOnly))
        return DataPlaces::current().binaryDir();
    const QByteArray bytes = conf.readAll();
    const std::string folder = Definitions::folderOf(bytes.toStdString());
    return DataPaths::join(base, "\\dat\\txt\\" + folder);
}

} // namespace hakoniwa::player
