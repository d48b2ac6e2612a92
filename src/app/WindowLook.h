#pragma once

#include <QString>

class QPlainTextEdit;
class QWidget;

// The font every window uses: "ＭＳ Ｐゴシック" 12 px, falling back to the IPA gothic fonts.
void applyWindowFont(QWidget* window);

// Replaces the text without moving the cursor away from where the user was typing.
void replaceTextKeepingCursor(QPlainTextEdit* edit, const QString& text);
