#pragma once

#include <QString>
#include <memory>

// The places the editor's data may lie in and the user's own folder, as the operating system
// tells them. Tests install a double to lay out an installed or a development tree.
namespace hakoniwa {

class DataPlaces {
public:
    virtual ~DataPlaces() = default;
    // The folder of the running program.
    virtual QString binaryDir() const = 0;
    // The process's current directory.
    virtual QString workingDir() const = 0;
    // $XDG_DATA_HOME/hakoniwa, or ~/.local/share/hakoniwa when that variable is unset or not
    // an absolute path.
    virtual QString userDataDir() const = 0;
    // True when `folder` exists and this process may create files in it.
    virtual bool isWritableFolder(const QString& folder) const = 0;

    // The places in use: the real ones unless a test installed others.
    static DataPlaces& current();
    // Takes ownership; nullptr goes back to the real places.
    static void install(std::unique_ptr<DataPlaces> places);
};

} // namespace hakoniwa
