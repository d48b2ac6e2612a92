#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// Starts the run script and lets it go: the editor neither waits for it nor watches it.
// Tests install a double that records what would have been started.
namespace hakoniwa {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts `program` (an absolute path) with exactly these arguments, no shell in between,
    // in `workingDirectory`, detached. False when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
    // The shell's open action on `file`, with no parameters, in `workingDirectory`. Only
    // Windows has one; elsewhere it does nothing and gives false.
    virtual bool shellOpen(const QString& file, const QString& workingDirectory) = 0;

    // The launcher in use: the real one unless a test installed another.
    static Launcher& current();
    // Takes ownership; nullptr goes back to the real launcher.
    static void install(std::unique_ptr<Launcher> launcher);
};

} // namespace hakoniwa
