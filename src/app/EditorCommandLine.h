#pragma once

#include <QString>
#include <optional>

// The editor's command line:  hakoniwa [--help] [--version] [FILE]
// FILE is a project to open at start-up, as a desktop's "open with" passes it.

// True when the command line asks for the usage or the version: they are printed without a
// window, so they work where no display is.
bool asksForUsageOrVersion(int argc, char** argv);

// Reads the running application's command line. --help and --version print to standard
// output and end the program with status 0; a wrong command line prints why and the usage to
// standard error and ends it with status 2. Returns the project file given, as an absolute
// path.
std::optional<QString> projectFileArgument();
