#pragma once

#include "app/Handlers.h"

#include <QString>
#include <exception>

// The two wrappers every event handler body runs in, so no exception crosses the event loop.

// Sets the main window's caption to "システム 例外:" + number + name. Both reports also go into
// the error history with their time, and `message` (the failure's text, if any) with them.
void reportHandlerFailure(const HandlerId& id, const QString& message = QString());
// Shows the failure's message in a message box (handlers without a number).
void reportUnnumberedFailure(const QString& message);

// Runs the body; any failure stops it and is reported in the main window's caption.
// Returns false when the body failed.
template <typename Body> bool guarded(const HandlerId& id, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& failure) {
        reportHandlerFailure(id, QString::fromUtf8(failure.what()));
        return false;
    } catch (...) {
        reportHandlerFailure(id);
        return false;
    }
}

// Runs the body; any failure is shown in a message box and the program carries on.
template <typename Body> void reported(Body&& body) {
    try {
        body();
    } catch (const std::exception& failure) {
        reportUnnumberedFailure(QString::fromUtf8(failure.what()));
    } catch (...) {
        reportUnnumberedFailure(QStringLiteral("不明な例外が発生しました"));
    }
}
