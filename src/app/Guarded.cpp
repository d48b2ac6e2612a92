#include "app/Guarded.h"

#include "app/Unit1.h"
#include "platform/Dialogs.h"

void reportHandlerFailure(const HandlerId& id) {
    if (!Form1)
        return;
    Form1->setWindowTitle(
        QStringLiteral("システム 例外:") + QString::number(id.number) +
        QString::fromLatin1(id.name.data(), static_cast<qsizetype>(id.name.size())));
}

void reportUnnumberedFailure(const QString& message) {
    hakoniwa::Dialogs::current().showError(Form1, message);
}
