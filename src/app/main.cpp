#include "app/Recovery.h"
#include "app/Startup.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
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
