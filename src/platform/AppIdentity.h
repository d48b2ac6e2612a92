#pragma once

#include <QIcon>
#include <QString>

namespace hakoniwa {

// The desktop entry the windows of the editor and the player belong to. On Wayland it is the
// windows' application id; on X11 the entry's StartupWMClass names the window class, which is
// the application name "Hakoniwa".
inline constexpr const char* kDesktopFileName = "io.github.hakoniwa.Hakoniwa";

// Names the running program to the desktop and to its settings: organisation and application
// name, version, desktop entry, and (in a GUI application) the icon every window shows.
// Called right after the application object is made, before any window.
void identifyApplication();

// The application icon in every size that is drawn of it.
QIcon applicationIcon();

} // namespace hakoniwa
