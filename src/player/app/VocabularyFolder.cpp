#include "player/app/VocabularyFolder.h"

#include "model/Definitions.h"
#include "model/VocabularyFiles.h"
#include "platform/DataPaths.h"
#include "platform/DataPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hakoniwa::player {
namespace {

QString confPath() {
    return DataPaths::join(DataPaths::findBaseDir(), "\\dat\\txt\\conf.txt");
}

} // namespace

QString defaultVocabularyFolder() {
    std::string bytes;
    try {
        // As the definition files: only a regular file, and not without bound.
        bytes = readFileBytes(QFile::encodeName(confPath()).toStdString(), kDefinitionFileLimit);
    } catch (const std::runtime_error&) {
        return DataPlaces::current().binaryDir();
    }
    const std::string folder = Definitions::folderOf(bytes);
    return DataPaths::join(DataPaths::findBaseDir(), "\\dat\\txt\\" + folder);
}

std::optional<std::string> missingVocabulary(const QString& folder, bool given) {
    for (const char* file : {"mtd.txt", "cmp.txt", "sysHen.txt"}) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file));
        if (QFileInfo(path).isFile())
            continue;
        const std::string missing = "語彙ファイルがありません: " + path.toStdString();
        if (given)
            return missing;
        const QString conf = confPath();
        const std::string looked =
            QFileInfo::exists(conf)
                ? " (" + conf.toStdString() + " の指すフォルダ)"
                : " (" + conf.toStdString() + " がないので、プログラムのフォルダ)";
        return missing + looked +
               "。--vocabulary で語彙のフォルダ (例: dat/txt/game) を指定してください";
    }
    return std::nullopt;
}

} // namespace hakoniwa::player
