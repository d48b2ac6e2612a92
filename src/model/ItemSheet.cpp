#include "model/ItemSheet.h"

#include "model/ChangeLog.h"
#include "model/NumberConversion.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace hakoniwa {
namespace {

// The changes a sheet records while a change log is recording.
class CellStep : public ChangeLog::Step {
public:
    CellStep(ItemSheet& sheet, int column, int row, SharedText before, SharedText after)
        : sheet_(sheet), column_(column), row_(row), before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { sheet_.setCell(column_, row_, before_); }
    void redo() override { sheet_.setCell(column_, row_, after_); }

private:
    ItemSheet& sheet_;
    int column_, row_;
    // Shared with the cells, so a large change keeps no second copy of its texts.
    SharedText before_, after_;
};

class SwapStep : public ChangeLog::Step {
public:
    SwapStep(ItemSheet& sheet, int a, int b) : sheet_(sheet), a_(a), b_(b) {}
    void undo() override { sheet_.swapRows(a_, b_); }
    void redo() override { sheet_.swapRows(a_, b_); }

private:
    ItemSheet& sheet_;
    int a_, b_;
};

// A new row or column count; cells that a shrink dropped come back on undo.
class ShapeStep : public ChangeLog::Step {
public:
    struct DroppedCell {
        int column, row;
        std::string text;
    };
    ShapeStep(ItemSheet& sheet, bool columns, int before, int after,
              std::vector<DroppedCell> dropped)
        : sheet_(sheet), columns_(columns), before_(before), after_(after),
          dropped_(std::move(dropped)) {}
    void undo() override {
        resize(before_);
        for (const DroppedCell& cell : dropped_)
            sheet_.setCell(cell.column, cell.row, cell.text);
    }
    void redo() override { resize(after_); }

private:
    void resize(int count) {
        if (columns_)
            sheet_.setColumnCount(count);
        else
            sheet_.setRowCount(count);
    }

    ItemSheet& sheet_;
    bool columns_;
    int before_, after_;
    std::vector<DroppedCell> dropped_;
};

class ReplaceStep : public ChangeLog::Step {
public:
    ReplaceStep(ItemSheet& sheet, ItemSheet before, ItemSheet after)
        : sheet_(sheet), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { sheet_ = before_; }
    void redo() override { sheet_ = after_; }

private:
    ItemSheet& sheet_;
    ItemSheet before_, after_;
};

} // namespace

ItemSheet::ItemSheet(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(std::size_t(rows) * columns),
      widths_(columns, kDefaultColumnWidth) {}

ItemSheet::ItemSheet(ItemSheet&& other) noexcept
    : fixedRows(other.fixedRows), hoverText(std::move(other.hoverText)), columns_(other.columns_),
      rows_(std::exchange(other.rows_, 0)), cells_(std::move(other.cells_)),
      widths_(std::move(other.widths_)) {}

ItemSheet& ItemSheet::operator=(ItemSheet&& other) noexcept {
    if (this == &other)
        return *this;
    SharedText::releaseAll(cells_);
    fixedRows = other.fixedRows;
    hoverText = std::move(other.hoverText);
    columns_ = other.columns_;
    rows_ = std::exchange(other.rows_, 0);
    cells_ = std::move(other.cells_);
    other.cells_.clear();
    widths_ = std::move(other.widths_);
    return *this;
}

// Letting go of all texts at once is much cheaper than one by one.
ItemSheet::~ItemSheet() {
    SharedText::releaseAll(cells_);
}

void ItemSheet::setColumnCount(int columns) {
    if (columns < 0)
        throw std::out_of_range("negative column count");
    widths_.resize(columns, kDefaultColumnWidth);
    if (columns == columns_)
        return;
    if (ChangeLog::recording()) {
        std::vector<ShapeStep::DroppedCell> dropped;
        for (int r = 0; r < rows_; ++r)
            for (int c = columns; c < columns_; ++c)
                if (!at(c, r).empty())
                    dropped.push_back({c, r, std::string(at(c, r).view())});
        ChangeLog::record(
            std::make_unique<ShapeStep>(*this, true, columns_, columns, std::move(dropped)));
    }
    ChangeCount::bump();
    layOut(columns, rows_);
}

void ItemSheet::setRowCount(int rows) {
    if (rows < 0)
        throw std::out_of_range("negative row count");
    if (rows == rows_)
        return;
    if (ChangeLog::recording()) {
        std::vector<ShapeStep::DroppedCell> dropped;
        for (int r = rows; r < rows_; ++r)
            for (int c = 0; c < columns_; ++c)
                if (!at(c, r).empty())
                    dropped.push_back({c, r, std::string(at(c, r).view())});
        ChangeLog::record(
            std::make_unique<ShapeStep>(*this, false, rows_, rows, std::move(dropped)));
    }
    ChangeCount::bump();
    const std::size_t size = std::size_t(rows) * columns_;
    if (size < cells_.size())
        SharedText::releaseAll(std::span(cells_).subspan(size));
    cells_.resize(size);
    rows_ = rows;
}

void ItemSheet::growTo(int columns, int rows) {
    columns = std::max(columns, columns_);
    rows = std::max(rows, rows_);
    if (ChangeLog::recording() || columns == columns_) { // a step for each, or no move at all
        setColumnCount(columns);
        setRowCount(rows);
        return;
    }
    widths_.resize(columns, kDefaultColumnWidth);
    ChangeCount::bump();
    layOut(columns, rows);
}

void ItemSheet::layOut(int columns, int rows) {
    std::vector<SharedText> cells(std::size_t(rows) * columns);
    const int keptColumns = std::min(columns, columns_);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        std::move(cells_.begin() + std::ptrdiff_t(r) * columns_,
                  cells_.begin() + std::ptrdiff_t(r) * columns_ + keptColumns,
                  cells.begin() + std::ptrdiff_t(r) * columns);
    cells_.swap(cells);
    columns_ = columns;
    rows_ = rows;
}

void ItemSheet::throwOutside(int column, int row) {
    throw std::out_of_range("cell (" + std::to_string(column) + "," + std::to_string(row) +
                            ") lies outside the sheet");
}

void ItemSheet::growToHold(int column, int row) {
    if (column < 0 || row < 0)
        throwOutside(column, row);
    if (column >= columns_)
        setColumnCount(column + 1);
    if (row >= rows_)
        setRowCount(row + 1);
}

void ItemSheet::setCell(int column, int row, std::string_view text) {
    growToHold(column, row);
    if (at(column, row).view() != text)
        // Taken before the old text is let go: `text` may lie in it.
        setCell(column, row, SharedText(text));
}

void ItemSheet::setCell(int column, int row, const SharedText& text) {
    growToHold(column, row);
    SharedText& cell = at(column, row);
    if (cell.view() == text.view())
        return;
    if (ChangeLog::recording())
        ChangeLog::record(std::make_unique<CellStep>(*this, column, row, cell, text));
    ChangeCount::bump();
    cell = text;
}

void ItemSheet::setCells(int column, int row, std::span<const std::string_view> texts) {
    if (column < 0 || row < 0)
        throwOutside(column, row);
    // A recorded change keeps each cell's step.
    if (ChangeLog::recording() || texts.empty()) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            setCell(column + static_cast<int>(i), row, texts[i]);
        return;
    }
    const int end = column + static_cast<int>(texts.size());
    if (end > columns_)
        setColumnCount(end);
    if (row >= rows_)
        setRowCount(row + 1);
    ChangeCount::bump();
    SharedText::assign(
        texts, std::span(cells_).subspan(std::size_t(row) * columns_ + column, texts.size()));
}

void ItemSheet::appendRows(std::span<const SharedText::BlockView> cells, const TextBlock& block) {
    if (columns_ == 0 ? !cells.empty() : cells.size() % columns_ != 0)
        throw std::invalid_argument("rows must be given whole");
    if (cells.empty())
        return;
    const int firstRow = rows_;
    const int rowsGiven = static_cast<int>(cells.size() / columns_);
    if (ChangeLog::recording()) { // a step for each cell
        std::vector<std::string_view> texts(cells.size());
        std::transform(cells.begin(), cells.end(), texts.begin(),
                       [](SharedText::BlockView cell) { return cell.view(); });
        for (int r = 0; r < rowsGiven; ++r)
            setCells(0, firstRow + r,
                     std::span(texts).subspan(std::size_t(r) * columns_, columns_));
        return;
    }
    try {
        SharedText::appendViews(cells_, cells, block);
    } catch (...) { // the table had no room: the sheet stays as it was
        SharedText::releaseAll(std::span(cells_).subspan(std::size_t(rows_) * columns_));
        cells_.resize(std::size_t(rows_) * columns_);
        throw;
    }
    ChangeCount::bump();
    rows_ += rowsGiven;
}

void ItemSheet::swapRows(int a, int b) {
    if (a < 0 || b < 0)
        throwOutside(0, a < 0 ? a : b);
    if (a >= rowCount() || b >= rowCount())
        throw std::out_of_range("row outside the sheet");
    ChangeCount::bump();
    const auto rowStart = [&](int row) { return cells_.begin() + std::ptrdiff_t(row) * columns_; };
    std::swap_ranges(rowStart(a), rowStart(a) + columns_, rowStart(b));
    if (ChangeLog::recording() && a != b)
        ChangeLog::record(std::make_unique<SwapStep>(*this, a, b));
}

void ItemSheet::replaceWith(const ItemSheet& other) {
    if (ChangeLog::recording())
        ChangeLog::record(std::make_unique<ReplaceStep>(*this, *this, other));
    *this = other;
}

RowKind ItemSheet::rowKind(int row) const {
    const std::string_view c1 = cell(1, row);
    if (c1.empty())
        return RowKind::Empty;
    if (c1 == "0")
        return RowKind::Instruction;
    if (c1 == "-1")
        return RowKind::UnsetJump;
    const auto number = convertNumber(c1);
    if (!number)
        return RowKind::Declaration;
    return *number > 0 ? RowKind::Jump : RowKind::Other;
}

int ItemSheet::jumpNumber(int row) const {
    return rowKind(row) == RowKind::Jump ? *convertNumber(cell(1, row)) : 0;
}

std::vector<std::string> ItemSheet::memberEntries() const {
    std::vector<std::string> entries;
    for (int r = kFirstCommandRow; r < rowCount(); ++r) {
        if (rowKind(r) != RowKind::Declaration)
            continue;
        const std::string_view name = cell(1, r);
        for (int c = 2; c < columns_; ++c)
            if (!at(c, r).empty())
                entries.push_back(std::string(name).append("[].").append(at(c, r).view()));
    }
    return entries;
}

} // namespace hakoniwa
