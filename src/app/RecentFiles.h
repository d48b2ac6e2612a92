#pragma once

#include <QString>
#include <QStringList>

// The project files last opened or saved, newest first, kept in the user's settings
// (organisation and application "Hakoniwa") so that they outlive the program.
class RecentFiles {
public:
    static constexpr int kLimit = 8;

    static QStringList list();
    // Puts the file first; the list keeps each file once and at most kLimit of them.
    static void add(const QString& fileName);
    static void remove(const QString& fileName);
};
