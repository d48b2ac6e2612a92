#include "platform/AppIdentity.h"

#include "model/Version.h"

#include <QGuiApplication>

namespace hakoniwa {

void identifyApplication() {
    // Where the settings (the recent files) are kept, and the window class on X11.
    QCoreApplication::setOrganizationName(QStringLiteral("Hakoniwa"));
    QCoreApplication::setApplicationName(QStringLiteral("Hakoniwa"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    // A program that only prints its usage or version has no windows, nor an icon to show.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setWindowIcon(applicationIcon());
}

QIcon applicationIcon() {
    // Built into the program, so that a build started from its folder shows it as well.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/hakoniwa.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace hakoniwa
