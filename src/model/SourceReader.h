#pragma once

#include "model/Project.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Rebuilds a project from the project source file. Lines are told apart by the four tag
// lines and, inside the header and the item block, by their first three bytes only; lines of
// no known kind are skipped, so text around the blocks does no harm.
namespace hakoniwa {

class SourceReader {
public:
    // A line the reader could not take. The message (UTF-8, for the user) names the line,
    // counted from 1 as the reader cuts lines, and the reason.
    class Failure : public std::runtime_error {
    public:
        Failure(int lineNumber, const std::string& reason);
        int lineNumber() const { return lineNumber_; }

    private:
        int lineNumber_;
    };

    // True when the bytes hold a line that is exactly the header opening: without one, the
    // reader would find nothing and the file is no project at all.
    static bool isProjectSource(std::string_view bytes);

    // The reader fills `project`. New items start at (newItemX, newItemY), as a double-click
    // there would make them; the file's header row then replaces that position.
    SourceReader(Project& project, int newItemX, int newItemY);

    // Clears the project and reads the file into it. A line the project cannot take (a memo
    // line or an item before any scene, a sheet line before any item, more page blocks than
    // scenes) throws Failure naming the line; what was read before it stays. The cells view
    // their texts in the block, which the project keeps (in a copy of the bytes, for the first
    // form).
    void read(std::string_view bytes);
    void read(const TextBlock& block);

    // Files from this size on have their second half read on a second thread while the first
    // thread reads the first (1 MB unless set; 0 splits every file that can be split).
    void readInParallelFrom(std::size_t bytes) { parallelFrom_ = bytes; }

private:
    enum class Mode { Outside, Header, Items };
    // Thrown by the reader of a file's second half on a line it cannot read without what the
    // first half holds; the first thread then reads that half itself.
    struct Unsure {};
    // Thrown by the reader of a file's second half on a tag line, which it leaves, with the
    // lines after it, to the first thread: where the line starts and how many lines it read.
    struct TagReached {
        const char* at = nullptr;
        int linesBefore = 0;
    };

    // Reads the lines of `bytes`, the first of them numbered firstLine + 1; returns the number
    // of the last.
    int readLines(std::string_view bytes, int firstLine);
    void readLine(std::string_view line);
    bool readTag(std::string_view line);
    void readMemoLine(std::string_view line);
    void readSceneName(std::string_view line);
    void readItemStart(std::string_view line);
    // Reads the sheet line starting at `start`; gives where it ends.
    std::size_t readSheetLine(std::string_view bytes, std::size_t start);
    // Adds the sheet lines read since the last call to the current sheet, sized once for all.
    void addPendingRows();
    // Starts a pending row; gives its index.
    std::size_t startPendingRow();
    void putPendingCell(std::size_t row, std::size_t column, std::string_view text);
    // Lays the pending cells out `width` to a row, dropping cells beyond it.
    void setRowWidth(std::size_t width);
    // Widens the pending rows to hold `column`: doubling, but never past the cell budget.
    void widenFor(std::size_t column);
    // The most cells all sheets may take, when `present` of them are cells of the file.
    std::size_t allowedCells(std::size_t present) const;
    // Throws when `cells` more pending cells, `present` of them cells of the line being read,
    // would take the sheets past the budget.
    void needCells(std::size_t cells, std::size_t present) const;
    void setCellBudget(std::size_t fileBytes);
    void readPageOpening();
    // The sheet row's link handle cells that are empty get the offset -20 each (a jump row's).
    void fillLinkHandles(int row);
    // Where the second half of `bytes` may start: a page opening line after the middle, or
    // npos when the file is too small or has none.
    std::size_t secondHalfStart(std::string_view bytes) const;
    // Moves the items the second reader read into the project's scenes, when the first half
    // left this reader where the second one started: in the item block, with as many scenes
    // left as it read, and those still without items. False when not.
    bool takeSecondHalf(SourceReader& second, Project& pages);

    Project& project_;
    int newItemX_, newItemY_;
    std::size_t parallelFrom_ = std::size_t(1) << 20;
    // The bytes the cells view, while reading.
    const TextBlock* block_ = nullptr;
    // True for the reader of a file's second half: page openings add scenes, tag lines throw
    // TagReached and lines that need the first half throw Unsure.
    bool secondHalf_ = false;
    Mode mode_ = Mode::Outside;
    Scene* scene_ = nullptr;
    ItemSheet* sheet_ = nullptr;
    int sceneCounter_ = 0;
    int itemCounter_ = 0;
    // The current sheet's lines read but not yet added, the new item's heading row first: their
    // cells, viewing the bytes being read, laid out as the sheet holds them (column 0 empty in
    // sheet lines), rowWidth_ to a row; for each line how many cells it has after column 0 and
    // whether it is a jump row (which gets its link handle cells filled); and the cells too
    // long to be told in one word, set after the rows are added.
    struct PendingRow {
        std::size_t cellCount;
        bool jump;
    };
    struct LaterCell {
        std::size_t row;
        int column;
        std::string_view text;
    };
    std::vector<SharedText::BlockView> rowCells_;
    std::size_t rowWidth_ = 5;
    std::size_t widestPending_ = 5; // the fewest columns the pending rows need
    // A sheet is a full grid, rows times its widest line: a long line among many short ones
    // would take far more memory than the file. The cells of all sheets, with the pending
    // ones, stay within a budget set by the file's size, and so do the cells that fill rows
    // out to the sheet's width.
    std::size_t cellBudget_ = 0;
    std::size_t fillBudget_ = 0;
    std::size_t cellsUsed_ = 0;    // in the sheets read so far
    std::size_t cellsPresent_ = 0; // of them and the pending rows, the cells the file holds
    std::vector<PendingRow> pendingRows_;
    std::vector<LaterCell> setLater_;
};

} // namespace hakoniwa
