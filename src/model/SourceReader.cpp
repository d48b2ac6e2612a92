#include "model/SourceReader.h"

#include "model/ChangeCount.h"
#include "model/ChangeLog.h"
#include "model/NumberConversion.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace hakoniwa {
namespace {

constexpr int kHeadingColumns = 5; // a new item's heading row
constexpr int kFirstLinkHandleColumn = 6;
constexpr int kLastLinkHandleColumn = 9;
constexpr std::string_view kUnsetHandleOffset = "-20";
constexpr std::string_view kHeaderOpening = "[scene_headder]";
// Every row the editor writes has a byte for each of its cells, so its sheets hold fewer cells
// than the file has bytes, and its rows are all as wide as their sheet; rows filled out with
// empty cells may take a sixteenth of the file's bytes in cells. Small files may hold more, up
// to the floors.
constexpr std::size_t kCellsPerFileByte = 1;
constexpr std::size_t kFileBytesPerFillCell = 16;
constexpr std::size_t kCellBudgetFloor = std::size_t(1) << 22;
constexpr std::size_t kFillBudgetFloor = std::size_t(1) << 20;
// A pending row is first laid out as wide as the widest sheet so far, up to this.
constexpr std::size_t kLikelyWidthCap = 256;

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Calls `onTab` with the offset of every tab in `text` from `from` on, in order, up to the
// first CR or LF, whose offset it returns (text.size() when there is none): a line's cells and
// its end are found in one pass over its bytes. Sixteen bytes are looked at together where the
// processor allows.
template <typename OnTab>
std::size_t tabsToLineEnd(std::string_view text, std::size_t from, OnTab&& onTab) {
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i tabs = _mm_set1_epi8('\t'), crs = _mm_set1_epi8('\r'), lfs = _mm_set1_epi8('\n');
    for (; at + 16 <= text.size(); at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const auto ends = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, crs), _mm_cmpeq_epi8(chunk, lfs))));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, tabs)));
        if (ends)
            found &= (ends & (0u - ends)) - 1; // the tabs before the line end
        for (; found; found &= found - 1)
            onTab(at + static_cast<std::size_t>(std::countr_zero(found)));
        if (ends)
            return at + static_cast<std::size_t>(std::countr_zero(ends));
    }
#endif
    for (; at < text.size(); ++at) {
        if (text[at] == '\r' || text[at] == '\n')
            return at;
        if (text[at] == '\t')
            onTab(at);
    }
    return text.size();
}

// Where the line after the one ending at `end` starts: CR LF, a lone LF and a lone CR each end
// a line.
std::size_t nextLineStart(std::string_view text, std::size_t end) {
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

// A command row whose column 1 holds a jump number: its link handle cells get filled.
bool isJumpRow(int row, std::string_view column1) {
    // Instruction rows ("0") and empty ones, most rows, need no conversion.
    if (row < ItemSheet::kFirstCommandRow || column1.empty() || column1 == "0")
        return false;
    return toIntDef(column1, -1) > 0;
}

} // namespace

SourceReader::Failure::Failure(int lineNumber, const std::string& reason)
    : std::runtime_error("読み込みを " + std::to_string(lineNumber) + " 行目で中止しました\n" +
                         reason),
      lineNumber_(lineNumber) {}

bool SourceReader::isProjectSource(std::string_view bytes) {
    // Found by its bytes, then taken when it is a whole line: the header mostly opens the file,
    // so a project is known at once, without the file's lines being cut.
    const auto endsLine = [](char byte) { return byte == '\n' || byte == '\r'; };
    for (std::size_t at = bytes.find(kHeaderOpening); at != std::string_view::npos;
         at = bytes.find(kHeaderOpening, at + 1)) {
        const std::size_t end = at + kHeaderOpening.size();
        if ((at == 0 || endsLine(bytes[at - 1])) && (end == bytes.size() || endsLine(bytes[end])))
            return true;
    }
    return false;
}

SourceReader::SourceReader(Project& project, int newItemX, int newItemY)
    : project_(project), newItemX_(newItemX), newItemY_(newItemY) {}

void SourceReader::read(std::string_view bytes) {
    read(TextBlock(bytes));
}

void SourceReader::read(const TextBlock& block) {
    project_.clear();
    block_ = &block;
    mode_ = Mode::Outside;
    scene_ = nullptr;
    sheet_ = nullptr;
    sceneCounter_ = itemCounter_ = 0;
    pendingRows_.clear();
    rowCells_.clear();
    setLater_.clear();
    rowWidth_ = widestPending_ = kHeadingColumns;
    const std::string_view bytes = block.bytes();
    setCellBudget(bytes.size());
    const std::size_t split = secondHalfStart(bytes);
    if (split == std::string_view::npos) {
        readLines(bytes, 0);
        addPendingRows();
        return;
    }
    // The second half goes into scenes of its own on a second thread, meanwhile this thread
    // reads the first; its items are then moved over, or, when the first half ended other than
    // it assumed, this thread reads the second half as well.
    Project pages;
    SourceReader second(pages, newItemX_, newItemY_);
    second.block_ = &block;
    second.secondHalf_ = true;
    second.mode_ = Mode::Items;
    // Its share of the budget; past it, this thread reads that half against the whole budget.
    second.setCellBudget(bytes.size() - split);
    bool secondRead = false;
    TagReached tag; // where the second thread stopped, when at a tag line
    std::thread worker;
    try {
        worker = std::thread([&] {
            const ChangeCount::Quiet quiet;
            try {
                second.readLines(bytes.substr(split), 0);
                second.addPendingRows();
                secondRead = true;
            } catch (const TagReached& reached) {
                tag = reached; // the rows before the tag line are added
                secondRead = true;
            } catch (...) { // Unsure, a Failure or no memory: the first thread reads it
                // and needs none of what was read, which could be as large as the sheets.
                second.rowCells_ = decltype(second.rowCells_)();
                second.setLater_ = decltype(second.setLater_)();
                pages.clear();
            }
        });
    } catch (const std::system_error&) { // no thread to be had: one reads all
    }
    int lastLine = 0;
    try {
        lastLine = readLines(bytes.substr(0, split), 0);
    } catch (...) {
        if (worker.joinable())
            worker.join();
        throw;
    }
    if (worker.joinable())
        worker.join();
    if (!secondRead || !takeSecondHalf(second, pages))
        readLines(bytes.substr(split), lastLine);
    else if (tag.at)
        readLines(bytes.substr(static_cast<std::size_t>(tag.at - bytes.data())),
                  lastLine + tag.linesBefore);
    addPendingRows();
}

std::size_t SourceReader::secondHalfStart(std::string_view bytes) const {
    constexpr std::string_view kPageLine = "\n\t[p";
    if (bytes.size() < std::max<std::size_t>(parallelFrom_, 1) || ChangeLog::recording())
        return std::string_view::npos;
    std::size_t found = bytes.find(kPageLine, bytes.size() / 2);
    if (found == std::string_view::npos)
        found = bytes.rfind(kPageLine, bytes.size() / 2);
    return found == std::string_view::npos ? found : found + 1;
}

bool SourceReader::takeSecondHalf(SourceReader& second, Project& pages) {
    const int count = pages.sceneCount();
    if (mode_ != Mode::Items || count == 0 || sceneCounter_ + count > project_.sceneCount() ||
        cellsUsed_ + second.cellsUsed_ > allowedCells(cellsPresent_ + second.cellsPresent_))
        return false;
    for (int i = 0; i < count; ++i)
        if (project_.scene(sceneCounter_ + i).itemCount() > 0)
            return false;
    addPendingRows(); // what the page opening would have done
    for (int i = 0; i < count; ++i)
        project_.scene(sceneCounter_ + i).takeItemsOf(pages.scene(i));
    sceneCounter_ += count;
    cellsUsed_ += second.cellsUsed_;
    cellsPresent_ += second.cellsPresent_;
    scene_ = &project_.scene(sceneCounter_ - 1);
    itemCounter_ = second.itemCounter_;
    if (second.sheet_)
        sheet_ = second.sheet_;
    return true;
}

int SourceReader::readLines(std::string_view bytes, int firstLine) {
    // Lines are cut as forEachLine cuts them; sheet lines, most of the file, are cut into
    // cells in the same pass.
    int lineNumber = firstLine;
    try {
        for (std::size_t start = 0; start < bytes.size();) {
            ++lineNumber;
            std::size_t end;
            if (mode_ == Mode::Items && bytes.substr(start, 3) == "\t\t\t") {
                end = readSheetLine(bytes, start);
            } else {
                end = tabsToLineEnd(bytes, start, [](std::size_t) {});
                if (end > start)
                    readLine(bytes.substr(start, end - start));
            }
            start = nextLineStart(bytes, end);
        }
    } catch (TagReached& reached) {
        reached.linesBefore = lineNumber - 1;
        throw;
    } catch (const std::exception& failure) {
        throw Failure(lineNumber, failure.what());
    }
    return lineNumber;
}

void SourceReader::readLine(std::string_view line) {
    // Whatever else the line is, the sheet lines before it are complete.
    addPendingRows();
    if (readTag(line))
        return;
    if (mode_ == Mode::Header) {
        if (line.front() == '\t')
            readMemoLine(line);
        else
            readSceneName(line);
    } else if (mode_ == Mode::Items) {
        if (startsWith(line, "\t\t") && line.size() > 2)
            readItemStart(line);
        else if (startsWith(line, "\t[p"))
            readPageOpening();
    }
}

bool SourceReader::readTag(std::string_view line) {
    const bool tag =
        line == kHeaderOpening || line == "[/scene_headder]" || line == "[/itm]" || line == "[itm]";
    if (tag && secondHalf_) // a block ends or begins: the first thread reads on from here
        throw TagReached{line.data(), 0};
    if (line == kHeaderOpening) {
        mode_ = Mode::Header;
        sceneCounter_ = 0;
    } else if (line == "[/scene_headder]" || line == "[/itm]") {
        mode_ = Mode::Outside;
    } else if (line == "[itm]") {
        mode_ = Mode::Items;
        sceneCounter_ = 0;
    } else {
        return false;
    }
    return true;
}

void SourceReader::readMemoLine(std::string_view line) {
    if (!scene_)
        throw std::runtime_error("シーン名より前にメモ行があります");
    scene_->memo.emplace_back(line.substr(1));
}

void SourceReader::readSceneName(std::string_view line) {
    project_.addScene();
    scene_ = &project_.scene(sceneCounter_);
    // The first scene is always the main scene; its written name is not taken back.
    if (sceneCounter_ > 0)
        scene_->caption = std::string(line);
    ++sceneCounter_;
}

void SourceReader::readItemStart(std::string_view line) {
    if (!scene_)
        throw std::runtime_error("シーン名より前にアイテムがあります");
    const std::string_view afterTabs = line.substr(2);
    const std::string_view name = afterTabs.substr(0, afterTabs.find('\t'));
    if (itemCounter_ == scene_->itemCount()) {
        // As in every file we wrote, the item read is the one added: it is made whole, its
        // heading row taking the name and no more than the file gives it. Its sheet is shaped
        // once, when all its lines are read, the heading row being the first of them.
        auto item = std::make_unique<Item>(Item{scene_->nextNodeText(), ItemSheet(0, 0)});
        sheet_ = &scene_->addItem(std::move(item)).sheet;
        const std::size_t heading = startPendingRow();
        putPendingCell(heading, 0, name);
        pendingRows_.push_back({kHeadingColumns - 1, false});
        // The heading row's cells beyond the name are not read, but the editor writes a tab
        // for each.
        cellsPresent_ += std::max<std::size_t>(
            kHeadingColumns, static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')));
    } else {
        // Counted per page block, the item read is one the scene had before this block.
        scene_->addItem(newItemX_, newItemY_);
        sheet_ = &scene_->item(itemCounter_).sheet;
        sheet_->setRowCount(1);
        sheet_->setCell(0, 0, name);
        sheet_->setColumnCount(5);
    }
    ++itemCounter_;
}

std::size_t SourceReader::readSheetLine(std::string_view bytes, std::size_t start) {
    if (!sheet_ && secondHalf_) // the first half may end in an item these lines belong to
        throw Unsure();
    if (!sheet_)
        throw std::runtime_error("アイテムより前にシートの行があります");
    // Column 0 is empty in these rows and every cell ends with a tab: the three tabs before the
    // cells and the line's last byte are not part of them. Cells are cut at every tab byte. A
    // tab is never the second byte of a double-byte character, so this agrees with the text
    // operations on every valid file, and a cell ending in a stray lead byte cannot swallow the
    // tab behind it.
    const std::size_t rowIndex = startPendingRow();
    std::size_t cells = 0;
    std::size_t cellStart = start + 3;
    std::string_view column1;
    const auto put = [&](std::string_view cell) {
        if (++cells == 1)
            column1 = cell;
        putPendingCell(rowIndex, cells, cell);
    };
    const std::size_t end = tabsToLineEnd(bytes, cellStart, [&](std::size_t tab) {
        put(bytes.substr(cellStart, tab - cellStart));
        cellStart = tab + 1;
    });
    // A tab as the line's last byte ended the last cell; otherwise the cell runs up to that
    // byte, and a line of the three tabs alone has one empty cell.
    if (cells == 0 || cellStart != end)
        put(bytes.substr(cellStart, std::max(cellStart, end - 1) - cellStart));
    const int row = sheet_->rowCount() + static_cast<int>(rowIndex);
    pendingRows_.push_back({cells, isJumpRow(row, column1)});
    cellsPresent_ += cells + 1;
    return end;
}

std::size_t SourceReader::startPendingRow() {
    if (pendingRows_.empty()) {
        widestPending_ =
            std::max(static_cast<std::size_t>(sheet_->columnCount()), std::size_t(kHeadingColumns));
        // The widest sheet so far is the likely width of this one.
        setRowWidth(std::max(std::min(rowWidth_, kLikelyWidthCap), widestPending_));
    }
    if (cellsUsed_ + rowCells_.size() + rowWidth_ > allowedCells(cellsPresent_))
        setRowWidth(widestPending_); // the columns doubling left spare go first
    needCells(rowCells_.size() + rowWidth_, 0);
    rowCells_.resize(rowCells_.size() + rowWidth_);
    return pendingRows_.size();
}

void SourceReader::setCellBudget(std::size_t fileBytes) {
    cellBudget_ = std::max(kCellBudgetFloor, kCellsPerFileByte * fileBytes);
    fillBudget_ = kFillBudgetFloor + fileBytes / kFileBytesPerFillCell;
    cellsUsed_ = cellsPresent_ = 0;
}

std::size_t SourceReader::allowedCells(std::size_t present) const {
    return std::min(cellBudget_, fillBudget_ + present);
}

void SourceReader::needCells(std::size_t cells, std::size_t present) const {
    if (cellsUsed_ + cells > allowedCells(cellsPresent_ + present))
        throw std::runtime_error("シートのセルがファイルの大きさに比べて多すぎます"
                                 "（長い行と多くの行が同じアイテムにあります）");
}

// Widening copies the pending rows, so it asks for an eighth more than it needs: near the
// budget, the line is refused rather than widened a little at a time.
void SourceReader::widenFor(std::size_t column) {
    const std::size_t rows = rowCells_.size() / rowWidth_;
    const std::size_t least = column + 1 + column / 8;
    needCells(rows * least, column + 1);
    const std::size_t room = (allowedCells(cellsPresent_ + column + 1) - cellsUsed_) / rows;
    setRowWidth(std::min(2 * column, room));
}

void SourceReader::putPendingCell(std::size_t row, std::size_t column, std::string_view text) {
    widestPending_ = std::max(widestPending_, column + 1);
    if (column >= rowWidth_)
        widenFor(column);
    if (SharedText::BlockView::fits(text))
        rowCells_[row * rowWidth_ + column] = SharedText::BlockView(text);
    else
        setLater_.push_back({row, static_cast<int>(column), text});
}

void SourceReader::setRowWidth(std::size_t width) {
    if (width == rowWidth_)
        return;
    const std::size_t rows = rowCells_.size() / rowWidth_;
    std::vector<SharedText::BlockView> relaid(rows * width);
    for (std::size_t r = 0; r < rows; ++r)
        std::copy_n(rowCells_.begin() + static_cast<std::ptrdiff_t>(r * rowWidth_),
                    std::min(width, rowWidth_),
                    relaid.begin() + static_cast<std::ptrdiff_t>(r * width));
    rowCells_.swap(relaid);
    rowWidth_ = width;
}

void SourceReader::addPendingRows() {
    if (pendingRows_.empty())
        return;
    // The widest line, and a jump row's link handle cells, set the column count once.
    int columns = sheet_->columnCount();
    for (const PendingRow& pending : pendingRows_) {
        columns = std::max(columns, static_cast<int>(pending.cellCount) + 1);
        if (pending.jump)
            columns = std::max(columns, kLastLinkHandleColumn + 1);
    }
    const int firstRow = sheet_->rowCount();
    const std::size_t cellsBefore =
        static_cast<std::size_t>(firstRow) * static_cast<std::size_t>(sheet_->columnCount());
    sheet_->growTo(columns, firstRow);
    setRowWidth(static_cast<std::size_t>(columns));
    rowCells_.resize(pendingRows_.size() * rowWidth_); // no half-read line is added
    sheet_->appendRows(rowCells_, *block_);
    for (const LaterCell& later : setLater_)
        if (later.row < pendingRows_.size())
            sheet_->setCell(later.column, firstRow + static_cast<int>(later.row), later.text);
    for (std::size_t r = 0; r < pendingRows_.size(); ++r)
        if (pendingRows_[r].jump)
            fillLinkHandles(firstRow + static_cast<int>(r));
    sheet_->fixedRows = 1;
    cellsUsed_ += static_cast<std::size_t>(sheet_->rowCount()) *
                      static_cast<std::size_t>(sheet_->columnCount()) -
                  cellsBefore;
    pendingRows_.clear();
    rowCells_.clear();
    setLater_.clear();
}

void SourceReader::fillLinkHandles(int row) {
    for (int c = kFirstLinkHandleColumn; c <= kLastLinkHandleColumn; ++c)
        if (sheet_->cell(c, row).empty())
            sheet_->setCell(c, row, kUnsetHandleOffset);
}

void SourceReader::readPageOpening() {
    if (secondHalf_)
        project_.addScene();
    if (sceneCounter_ >= project_.sceneCount())
        throw std::runtime_error("ページ " + std::to_string(sceneCounter_) +
                                 " に当たるシーンがヘッダーにありません");
    scene_ = &project_.scene(sceneCounter_);
    ++sceneCounter_;
    itemCounter_ = 0;
}

} // namespace hakoniwa
