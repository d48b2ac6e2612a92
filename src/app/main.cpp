#include "app/Recovery.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "platform/MemoryReuse.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

int main(int argc, char* argv[]) {
    hakoniwa::keepFreedMemoryForReuse(); // projects loaded one after another reuse the memory
    QApplication application(argc, argv);
    // Where the settings (the recent files) are kept.
    QCoreApplication::setOrganizationName(QStringLiteral("Hakoniwa"));
    QCoreApplication::setApplicationName(QStringLiteral("Hakoniwa"));
    // The toolkit's own dialogs and buttons speak the editor's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    try {
        createWindows();
        Form1->show();
        offerRecovery();
        application.exec();
    } catch (const std::exception& failure) {
        // The windows made so far go first, so the report stands alone before the program ends.
        destroyWindows();
        QMessageBox::critical(nullptr, QStringLiteral("システム"),
                              QString::fromUtf8(failure.what()));
    } catch (...) {
        destroyWindows();
        QMessageBox::critical(nullptr, QStringLiteral("システム"),
                              QStringLiteral("起動中に不明な例外が発生しました"));
    }
    destroyWindows();
    return 0;
}
