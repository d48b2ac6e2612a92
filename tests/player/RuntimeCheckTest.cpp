#include "RuntimeFixture.h"

#include "player/runtime/RowFault.h"

#include <algorithm>
#include <set>

// The problems list reports every fault the player finds in a row's cells, in its words, and
// nothing the player accepts.
namespace hakoniwa::player::testing {
namespace {

using RuntimeCheckTest = RuntimeTest;

struct FaultCase {
    std::optional<RowFaultKind> kind; // none: a jump the player checks when it jumps
    std::vector<std::string> cells;   // from column 1: "0" + instruction name + arguments
    std::string reason;
    std::string definition = {}; // a line added to mtd.txt first
};

// Each row follows a declaration of v (sheet row 3, command 2): the game must stop on it and
// the check must list the same words at the same row.
TEST_F(RuntimeCheckTest, EveryFaultOfARowsCellsIsListedBeforeTheGameRuns) {
    const std::string jump = "飛ぶ,条件なしでいつも飛ぶ,0";
    const std::vector<FaultCase> cases = {
        {RowFaultKind::EmptyDefinition, {"0", ""}, "命令が空"},
        {RowFaultKind::UnknownDefinition, {"0", "踊る-表示,x,0"}, "mtd.txt にない命令: 踊る-表示"},
        {RowFaultKind::NotRunnable,
         {"0", "踊る-表示,踊る,0"},
         "実行できない命令: 踊る",
         "踊る-表示,踊る,0"},
        {RowFaultKind::ArgumentCount,
         {"0", "画面消去-表示,消す,1,何か:str"},
         "引数の数が合いません: 画面消去 は 0 個 (定義は 1 個)",
         "画面消去-表示,消す,1,何か:str"},
        {RowFaultKind::ExtraArgument, {"0", "代入", "v[]", "1", "2"}, "余分な引数 3: 2"},
        {RowFaultKind::EmptyArgument, {"0", "代入", "", "1"}, "引数 1 が空: 代入先"},
        {RowFaultKind::NotVariable, {"0", "増やす", "5"}, "代入先が変数ではありません: 5"},
        {RowFaultKind::ReadOnlySystem,
         {"0", "代入", "経過時間,ゲームが始まってからのミリ秒", "1"},
         "書き込めないシステム変数: 経過時間"},
        {RowFaultKind::UnknownSystemVariable,
         {"0", "代入", "体力,残りの体力", "1"},
         "sysHen.txt にないシステム変数: 体力,残りの体力"},
        {RowFaultKind::NotConstant, {"0", "背景色", "みずいろ"}, "定数ではありません: みずいろ"},
        {RowFaultKind::UndeclaredVariable, {"0", "代入", "w[]", "1"}, "宣言されていない変数: w"},
        {RowFaultKind::UnknownMember,
         {"0", "代入", "v[].m", "1"},
         "宣言されていないメンバー: v[].m"},
        {RowFaultKind::BadIndex, {"0", "代入", "v[-1]", "1"}, "添字が使えません: -1"},
        {RowFaultKind::NumberTooLarge,
         {"0", "増やす", "v[]", "3000000000"},
         "数値が大きすぎます: 3000000000"},
        {RowFaultKind::BadJumpNumber, {"00", jump}, "使えない飛び先番号: 00"},
        {std::nullopt, {"-1", jump}, "飛び先が未設定です"},
        {std::nullopt, {"7", jump}, "存在しない飛び先: 7"},
    };
    std::set<RowFaultKind> covered;
    for (const FaultCase& fault : cases) {
        SetUp();
        if (!fault.definition.empty())
            addDefinition("mtd.txt", fault.definition);
        addItem(true);
        declare("v");
        if (fault.cells[0] == "0" && !fault.cells[1].empty() &&
            fault.cells[1].find(',') == std::string::npos)
            op(fault.cells[1],
               std::vector<std::string>(fault.cells.begin() + 2, fault.cells.end()));
        else
            cells(fault.cells);
        start();
        EXPECT_EQ(errorMessage(), "シーン「メイン」 アイテム「itm0」 2 行目: " + fault.reason);
        const std::vector<std::string> listed = problems();
        EXPECT_EQ(std::count(listed.begin(), listed.end(), "3: " + fault.reason), 1)
            << fault.reason << " not listed alone among " << listed.size();
        if (fault.kind)
            covered.insert(*fault.kind);
    }
    // A kind added to the player's row faults needs its case here.
    for (int kind = static_cast<int>(RowFaultKind::AtRun) + 1;
         kind <= static_cast<int>(RowFaultKind::BadJumpNumber); ++kind)
        EXPECT_TRUE(covered.count(static_cast<RowFaultKind>(kind))) << "no case for kind " << kind;
}

// Rows the player takes as they are: empty constants are the first constant, empty values
// their default, a comma in free text, a path with brackets, entries and bare constant values,
// names whose second byte looks like a bracket, locals hiding globals, system variables read.
TEST_F(RuntimeCheckTest, NothingThePlayerAcceptsIsListed) {
    addItem(true);
    declare("v", {"x"});
    declare("ボーナス", {"y"});
    op("文字表示", {"a, b", "", "", ""});
    op("文字表示", {"v[].x", "1", "2", "黒,1"});
    op("背景色", {"2"});
    op("マウスボタン", {"v[]", ""});
    op("増やす", {"v[]", ""});
    op("代入", {"ボーナス[1].y", "経過時間,ゲームが始まってからのミリ秒"});
    op("代入", {"v[ボーナス].x", "2147483647"});
    op("代入", {"v[]", "img\\a[1].png"});
    jump(scene(1), "飛ぶ");
    addScene("ステージ");
    addItem(true);
    declare("v", {"z"});
    op("代入", {"v[].z", "-2147483648"});
    start();
    EXPECT_EQ(errorMessage(), "");
    EXPECT_EQ(problems(), std::vector<std::string>{});
}

TEST_F(RuntimeCheckTest, EachSceneNeedsOneStartItem) {
    addItem(true);
    addItem(true, "二つ目");
    addScene("空き");
    addItem(false);
    start();
    EXPECT_EQ(problems(),
              (std::vector<std::string>{"開始アイテムが複数ある", "開始アイテムがない"}));
}

} // namespace
} // namespace hakoniwa::player::testing
