#include "app/WindowLook.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QWidget>

void applyWindowFont(QWidget* window) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    window->setFont(font);
}

void replaceTextKeepingCursor(QPlainTextEdit* edit, const QString& text) {
    const int position = edit->textCursor().position();
    const QSignalBlocker quiet(edit);
    edit->setPlainText(text);
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(qMin(position, static_cast<int>(text.size())));
    edit->setTextCursor(cursor);
}
