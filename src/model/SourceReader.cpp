#include "model/SourceReader.h"

#include "model/Lines.h"
#include "model/NumberConversion.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

namespace hakoniwa {
namespace {

constexpr int kFirstLinkHandleColumn = 6;
constexpr int kLastLinkHandleColumn = 9;
constexpr std::string_view kUnsetHandleOffset = "-20";
constexpr std::string_view kHeaderOpening = "[scene_headder]";

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Calls `onTab` with the offset of every tab in `text`, in order. Eight bytes are looked at
// together: a tab byte, made zero by the exclusive or, sets the top bit of its byte in `found`
// (a byte above it may be marked as well, so each mark is checked).
template <typename OnTab> void forEachTab(std::string_view text, OnTab&& onTab) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, tabs = ones * '\t';
    std::size_t at = 0;
    for (; std::endian::native == std::endian::little && at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        const std::uint64_t zeroed = word ^ tabs;
        for (std::uint64_t found = (zeroed - ones) & ~zeroed & (ones << 7); found;
             found &= found - 1) {
            const std::size_t offset = at + static_cast<std::size_t>(std::countr_zero(found)) / 8;
            if (text[offset] == '\t')
                onTab(offset);
        }
    }
    for (; at < text.size(); ++at)
        if (text[at] == '\t')
            onTab(at);
}

// A command row whose column 1 holds a jump number: its link handle cells get filled.
bool isJumpRow(int row, std::string_view column1) {
    // Instruction rows ("0") and empty ones, most rows, need no conversion.
    if (row < ItemSheet::kFirstCommandRow || column1.empty() || column1 == "0")
        return false;
    return toIntDef(std::string(column1), -1) > 0;
}

} // namespace

SourceReader::Failure::Failure(int lineNumber, const std::string& reason)
    : std::runtime_error("読み込みを " + std::to_string(lineNumber) + " 行目で中止しました\n" +
                         reason),
      lineNumber_(lineNumber) {}

bool SourceReader::isProjectSource(std::string_view bytes) {
    bool found = false;
    forEachLine(bytes, [&](std::string_view line) { found = found || line == kHeaderOpening; });
    return found;
}

SourceReader::SourceReader(Project& project, int newItemX, int newItemY)
    : project_(project), newItemX_(newItemX), newItemY_(newItemY) {}

void SourceReader::read(std::string_view bytes) {
    project_.clear();
    mode_ = Mode::Outside;
    scene_ = nullptr;
    sheet_ = nullptr;
    sceneCounter_ = itemCounter_ = 0;
    previousSheet_ = nullptr;
    pendingRows_.clear();
    pendingCells_.clear();
    int lineNumber = 0;
    forEachLine(bytes, [&](std::string_view line) {
        ++lineNumber;
        if (line.empty())
            return;
        try {
            readLine(line);
        } catch (const std::exception& failure) {
            throw Failure(lineNumber, failure.what());
        }
    });
    addPendingRows();
}

void SourceReader::readLine(std::string_view line) {
    if (mode_ == Mode::Items && startsWith(line, "\t\t\t"))
        return readSheetLine(line);
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
    scene_->addItem(newItemX_, newItemY_);
    // Counted per page block; in a file we wrote this is the item just added.
    sheet_ = &scene_->item(itemCounter_).sheet;
    sheet_->setRowCount(1);
    const std::string_view afterTabs = line.substr(2);
    sheet_->setCell(0, 0, std::string(afterTabs.substr(0, afterTabs.find('\t'))));
    sheet_->setColumnCount(5);
    ++itemCounter_;
}

void SourceReader::readSheetLine(std::string_view line) {
    if (!sheet_)
        throw std::runtime_error("アイテムより前にシートの行があります");
    // Column 0 is empty in these rows and every cell ends with a tab: drop both ends. Cells
    // are cut at every tab byte. A tab is never the second byte of a double-byte character,
    // so this agrees with the text operations on every valid file, and a cell ending in a
    // stray lead byte cannot swallow the tab behind it.
    const std::string_view body = line.size() > 3 ? line.substr(3, line.size() - 4) : "";
    const std::size_t firstCell = pendingCells_.size();
    std::size_t start = 0;
    forEachTab(body, [&](std::size_t tab) {
        pendingCells_.push_back(body.substr(start, tab - start));
        start = tab + 1;
    });
    pendingCells_.push_back(body.substr(start));
    const int row = sheet_->rowCount() + static_cast<int>(pendingRows_.size());
    pendingRows_.push_back(
        {firstCell, pendingCells_.size() - firstCell, isJumpRow(row, pendingCells_[firstCell])});
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
    sheet_->setColumnCount(columns);
    // The new rows laid out as the sheet holds them; column 0 stays empty.
    rowTexts_.assign(pendingRows_.size() * columns, std::string_view());
    std::string_view* row = rowTexts_.data();
    for (const PendingRow& pending : pendingRows_) {
        std::copy_n(pendingCells_.begin() + static_cast<std::ptrdiff_t>(pending.firstCell),
                    pending.cellCount, row + 1);
        if (pending.jump)
            fillLinkHandles(row);
        row += columns;
    }
    sheet_->setRows(firstRow, rowTexts_, previousSheet_);
    previousSheet_ = sheet_;
    sheet_->fixedRows = 1;
    pendingRows_.clear();
    pendingCells_.clear();
}

void SourceReader::fillLinkHandles(std::string_view* row) {
    for (int c = kFirstLinkHandleColumn; c <= kLastLinkHandleColumn; ++c)
        if (row[c].empty())
            row[c] = kUnsetHandleOffset;
}

void SourceReader::readPageOpening() {
    if (sceneCounter_ >= project_.sceneCount())
        throw std::runtime_error("ページ " + std::to_string(sceneCounter_) +
                                 " に当たるシーンがヘッダーにありません");
    scene_ = &project_.scene(sceneCounter_);
    ++sceneCounter_;
    itemCounter_ = 0;
}

} // namespace hakoniwa
