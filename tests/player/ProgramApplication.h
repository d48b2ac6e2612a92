#pragma once

#include <QApplication>
#include <cstdlib>

// The one QApplication of the player's program tests (fonts, images and the window need it),
// on the offscreen platform; made by the first test that asks and kept to the end.
inline void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "player_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
