#include "app/EditorCommandLine.h"
#include "app/Recovery.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "platform/AppIdentity.h"
#include "platform/MemoryReuse.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <exception>
#include <optional>

int main(int argc, char* argv[]) {
    if (asksForUsageOrVersion(argc, argv)) {
        QCoreApplication printing(argc, argv);
        hakoniwa::identifyApplication();
        projectFileArgument(); // prints and ends the program
    }
    hakoniwa::keepFreedMemoryForReuse(); // projects loaded one after another reuse the memory
    QApplication application(argc, argv);
    hakoniwa::identifyApplication();
    // Read after the toolkit took its own options (-platform, -style) off the command line.
    const std::optional<QString> projectFile = projectFileArgument();
    // The toolkit's own dialogs and buttons speak the editor's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    try {
        createWindows();
        Form1->show();
        offerRecovery();
        // A file given opens as one picked from the recent list: a missing one is reported.
        if (projectFile)
            Form1->openRecent(*projectFile);
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
