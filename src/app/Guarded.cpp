#include "app/Guarded.h"

#include "app/ErrorLog.h"
#include "app/Unit1.h"
#include "platform/Dialogs.h"

void reportHandlerFailure(const HandlerId& id, const QString& message) {
    const QString name =
        QString::fromLatin1(id.name.data(), static_cast<qsizetype>(id.name.size()));
    errorLog().addHandlerFailure(id.number, name, message);
    if (!Form1)
        return;
    Form1->setWindowTitle(QStringLiteral("システム 例外:") + QString::number(id.number) + name);
    // Unsaved work stays marked behind the failure.
    Form1->updateTitle();
}

void reportUnnumberedFailure(const QString& message) {
    errorLog().addMessage(message);
    hakoniwa::Dialogs::current().showError(Form1, message);
}
