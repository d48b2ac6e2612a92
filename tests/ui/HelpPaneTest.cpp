#include "WindowsFixture.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "details/HelpPane.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "model/TextOps.h"
#include "platform/Cp932Codec.h"

#include <QComboBox>
#include <QFile>
#include <QTreeWidget>

using hakoniwa::toQt;

namespace {

// The details window with one item shown, whose first command row calls 比較.
class HelpPaneTest : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        showItemWithCompareRow();
    }
    void showItemWithCompareRow() {
        item = addCurrentItem();
        item->sheet.setCell(1, 2, "0");
        item->sheet.setCell(2, 2, lineNamed(Form3->definitions.instructions, "比較"));
        Form3->placeSheet(item, SheetPlacement::Shown);
    }
    static std::string lineNamed(const std::vector<std::string>& lines, const char* name) {
        for (const std::string& line : lines)
            if (toQt(hakoniwa::getSplitStrVal(line, ',', 0)).startsWith(QString::fromUtf8(name)))
                return line;
        ADD_FAILURE() << "no line " << name;
        return {};
    }
    static int indexOf(const std::vector<std::string>& lines, const std::string& line) {
        return static_cast<int>(std::find(lines.begin(), lines.end(), line) - lines.begin());
    }
    void moveCursorTo(int column, int row) {
        Form3->sheetView->setCurrentIndex(Form3->sheetView->sheetModel()->index(row, column));
    }
    QString shown() const { return Form3->helpPane->shownText(); }

    hakoniwa::Item* item = nullptr;
};

} // namespace

TEST_F(HelpPaneTest, FollowsTheCellCursorAndTheEntriesBeingChosen) {
    EXPECT_TRUE(Form3->helpPane->isVisible());
    // The row under the cell cursor: description, every argument with what it takes and its
    // default, the help file's notes and an example row.
    moveCursorTo(5, 2);
    for (const char* part : {"比較", "二つの値を比べて", "結果を入れる変数", "比べ方",
                             "定数から選ぶ: 等しい[0]", "既定値: 0", "例", "より大きい,3"})
        EXPECT_TRUE(shown().contains(QString::fromUtf8(part))) << part;

    // An instruction highlighted in the combo, a component current in the pick list.
    const std::vector<std::string>& instructions = Form3->definitions.instructions;
    emit Form3->cbMtd->highlighted(
        indexOf(instructions, lineNamed(instructions, "矢印キーで動かす")));
    EXPECT_TRUE(shown().contains(QString::fromUtf8("一回の画面で動くピクセル数")));
    QTreeWidget* components = Form3->tvCmList;
    components->setCurrentItem(components->topLevelItem(components->topLevelItemCount() - 1));
    EXPECT_TRUE(shown().contains(QString::fromUtf8("条件なしで")));
    EXPECT_TRUE(shown().contains(QString::fromUtf8("引数はありません")));

    // Headings and empty rows have nothing to explain.
    moveCursorTo(1, 3);
    EXPECT_FALSE(shown().contains(QString::fromUtf8("比較")));
}

TEST_F(HelpPaneTest, WithoutAHelpFileShowsTheDescriptionLineAlone) {
    destroyWindows();
    ASSERT_TRUE(QFile::remove(scratch.filePath("dat/txt/game/help.txt")));
    createWindows();
    showItemWithCompareRow();
    moveCursorTo(3, 2);
    EXPECT_TRUE(shown().contains(QString::fromUtf8("二つの値を比べて")));
    EXPECT_FALSE(shown().contains(QString::fromUtf8("結果を入れる変数")));
    EXPECT_FALSE(shown().contains(QString::fromUtf8("例")));
}
