#include "platform/DataPaths.h"

#include "platform/Cp932Codec.h"

#include <QDir>

namespace hakoniwa {

QString DataPaths::join(const QString& baseDir, const std::string& relative) {
    QString tail = Cp932Codec::decode(relative);
    tail.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // An empty folder name gives two separators in a row: the files lie directly in the parent.
    return QDir::toNativeSeparators(QDir::cleanPath(baseDir + QLatin1Char('/') + tail));
}

} // namespace hakoniwa
