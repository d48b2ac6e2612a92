#include "model/SourceReader.h"

#include "model/Lines.h"
#include "model/NumberConversion.h"

#include <stdexcept>

namespace hakoniwa {
namespace {

constexpr int kFirstLinkHandleColumn = 6;
constexpr int kLastLinkHandleColumn = 9;
constexpr const char* kUnsetHandleOffset = "-20";
constexpr std::string_view kHeaderOpening = "[scene_headder]";

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
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
}

void SourceReader::readLine(std::string_view line) {
    if (readTag(line))
        return;
    if (mode_ == Mode::Header) {
        if (line.front() == '\t')
            readMemoLine(line);
        else
            readSceneName(line);
    } else if (mode_ == Mode::Items) {
        if (startsWith(line, "\t\t\t"))
            readSheetLine(line);
        else if (startsWith(line, "\t\t") && line.size() > 2)
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
    const int row = sheet_->rowCount();
    sheet_->addRow();
    // Column 0 is empty in these rows and every cell ends with a tab: drop both ends.
    const std::string_view body = line.size() > 3 ? line.substr(3, line.size() - 4) : "";
    // Cells are cut at every tab byte. A tab is never the second byte of a double-byte
    // character, so this agrees with the text operations on every valid file, and a cell
    // ending in a stray lead byte cannot swallow the tab behind it.
    int fields = 1;
    for (char byte : body)
        fields += byte == '\t';
    if (sheet_->columnCount() <= fields)
        sheet_->setColumnCount(fields + 1);
    std::size_t start = 0;
    for (int f = 0; f < fields; ++f) {
        const std::size_t end = f + 1 < fields ? body.find('\t', start) : body.size();
        sheet_->setCell(f + 1, row, std::string(body.substr(start, end - start)));
        start = end + 1;
    }
    fillLinkHandles(row);
    sheet_->fixedRows = 1;
}

void SourceReader::fillLinkHandles(int row) {
    if (row < ItemSheet::kFirstCommandRow || toIntDef(sheet_->cell(1, row), -1) <= 0)
        return;
    for (int c = kFirstLinkHandleColumn; c <= kLastLinkHandleColumn; ++c)
        if (sheet_->cell(c, row).empty())
            sheet_->setCell(c, row, kUnsetHandleOffset);
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
