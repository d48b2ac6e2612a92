#pragma once

#include "model/Project.h"

#include <string>
#include <string_view>

// Rebuilds a project from the project source file. Lines are told apart by the four tag
// lines and, inside the header and the item block, by their first three bytes only; lines of
// no known kind are skipped, so text around the blocks does no harm.
namespace hakoniwa {

class SourceReader {
public:
    // The reader fills `project`. New items start at (newItemX, newItemY), as a double-click
    // there would make them; the file's header row then replaces that position.
    SourceReader(Project& project, int newItemX, int newItemY);

    // Clears the project and reads the file into it. A line the project cannot take (a memo
    // line or an item before any scene, a sheet line before any item, more page blocks than
    // scenes) throws std::runtime_error naming the line; what was read before it stays.
    void read(std::string_view bytes);

private:
    enum class Mode { Outside, Header, Items };

    void readLine(std::string_view line);
    bool readTag(std::string_view line);
    void readMemoLine(std::string_view line);
    void readSceneName(std::string_view line);
    void readItemStart(std::string_view line);
    void readSheetLine(std::string_view line);
    void readPageOpening();
    // Jump rows whose link handle cells are empty get the offset -20 in each of them.
    void fillLinkHandles(int row);

    Project& project_;
    int newItemX_, newItemY_;
    Mode mode_ = Mode::Outside;
    Scene* scene_ = nullptr;
    ItemSheet* sheet_ = nullptr;
    int sceneCounter_ = 0;
    int itemCounter_ = 0;
};

} // namespace hakoniwa
