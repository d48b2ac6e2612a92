#include "model/SourceReader.h"

#include "model/Lines.h"
#include "model/NumberConversion.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace hakoniwa {
namespace {

constexpr int kFirstLinkHandleColumn = 6;
constexpr int kLastLinkHandleColumn = 9;
constexpr std::string_view kUnsetHandleOffset = "-20";
constexpr std::string_view kHeaderOpening = "[scene_headder]";

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Calls `onTab` with the offset of every tab in `text`, in order. Sixteen bytes are compared
// with a tab at once where the processor allows, eight otherwise: a tab byte, made zero by the
// exclusive or, sets the top bit of its byte in `found` (a byte above it may be marked as well,
// so each mark is checked).
template <typename OnTab> void forEachTab(std::string_view text, OnTab&& onTab) {
    std::size_t at = 0;
#if defined(__SSE2__)
    const __m128i tabs16 = _mm_set1_epi8('\t');
    for (; at + 16 <= text.size(); at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        for (unsigned found =
                 static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, tabs16)));
             found; found &= found - 1)
            onTab(at + static_cast<std::size_t>(std::countr_zero(found)));
    }
#endif
    constexpr std::uint64_t ones = 0x0101010101010101ull, tabs = ones * '\t';
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
    rowTexts_.clear();
    rowWidth_ = 2;
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
    if (pendingRows_.empty()) // the widest sheet so far is the likely width of this one
        setRowWidth(
            std::max({rowWidth_, static_cast<std::size_t>(sheet_->columnCount()), std::size_t(2)}));
    const std::size_t rowIndex = pendingRows_.size();
    rowTexts_.resize(rowTexts_.size() + rowWidth_);
    std::size_t column = 1;
    const auto put = [&](std::string_view cell) {
        if (column == rowWidth_)
            setRowWidth(2 * rowWidth_);
        rowTexts_[rowIndex * rowWidth_ + column++] = cell;
    };
    std::size_t start = 0;
    forEachTab(body, [&](std::size_t tab) {
        put(body.substr(start, tab - start));
        start = tab + 1;
    });
    put(body.substr(start));
    const int row = sheet_->rowCount() + static_cast<int>(rowIndex);
    pendingRows_.push_back({column - 1, isJumpRow(row, rowTexts_[rowIndex * rowWidth_ + 1])});
}

void SourceReader::setRowWidth(std::size_t width) {
    if (width == rowWidth_)
        return;
    const std::size_t rows = rowTexts_.size() / rowWidth_;
    std::vector<std::string_view> relaid(rows * width);
    for (std::size_t r = 0; r < rows; ++r)
        std::copy_n(rowTexts_.begin() + static_cast<std::ptrdiff_t>(r * rowWidth_),
                    std::min(width, rowWidth_),
                    relaid.begin() + static_cast<std::ptrdiff_t>(r * width));
    rowTexts_.swap(relaid);
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
    sheet_->setColumnCount(columns);
    setRowWidth(static_cast<std::size_t>(columns));
    rowTexts_.resize(pendingRows_.size() * rowWidth_); // no half-read line is added
    for (std::size_t r = 0; r < pendingRows_.size(); ++r)
        if (pendingRows_[r].jump)
            fillLinkHandles(&rowTexts_[r * rowWidth_]);
    sheet_->setRows(firstRow, rowTexts_, previousSheet_);
    previousSheet_ = sheet_;
    sheet_->fixedRows = 1;
    pendingRows_.clear();
    rowTexts_.clear();
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
