#pragma once

#include <Qt>

// Return on the main keyboard and Enter on the keypad commit alike in every window.
inline bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
