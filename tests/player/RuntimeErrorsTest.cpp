#include "RuntimeFixture.h"

namespace hakoniwa::player::testing {
namespace {

using RuntimeErrorsTest = RuntimeTest;

// Each case: one row after a declaration of v, and the message it stops the game with.
TEST_F(RuntimeErrorsTest, ARowThatCannotRunStopsTheGameWithItsPlace) {
    const std::string place = "シーン「メイン」 アイテム「itm0」 2 行目: ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"0", ""}, "命令が空"},
        {{"0", "踊る-表示,x,0"}, "mtd.txt にない命令: 踊る-表示"},
        {{"-1", "飛ぶ,条件なしでいつも飛ぶ,0"}, "飛び先が未設定です"},
        {{"7", "飛ぶ,条件なしでいつも飛ぶ,0"}, "存在しない飛び先: 7"},
        {{"00", "飛ぶ,条件なしでいつも飛ぶ,0"}, "使えない飛び先番号: 00"},
    };
    for (const auto& [row, reason] : cases) {
        SetUp();
        addItem(true);
        declare("v");
        cells(row);
        start();
        EXPECT_EQ(errorMessage(), place + reason);
    }
}

TEST_F(RuntimeErrorsTest, ArgumentsAndValuesThatCannotBeUsed) {
    const std::string place = "シーン「メイン」 アイテム「itm0」 2 行目: ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"代入", "w[]", "1"}, "宣言されていない変数: w"},
        {{"代入", "v[]", "1", "2"}, "余分な引数 3: 2"},
        {{"代入", "v[].m", "1"}, "宣言されていないメンバー: v[].m"},
        {{"代入", "5", "1"}, "代入先が変数ではありません: 5"},
        {{"代入", "", "1"}, "引数 1 が空: 代入先"},
        {{"代入", "経過時間,ゲームが始まってからのミリ秒", "1"},
         "書き込めないシステム変数: 経過時間"},
        {{"代入", "体力,残りの体力", "1"}, "sysHen.txt にないシステム変数: 体力,残りの体力"},
        {{"足し算", "v[]", "abc", "1"}, "数値ではありません: abc"},
        {{"割り算", "v[]", "1", "0"}, "0 で割ることはできません"},
        {{"代入", "v[-1]", "1"}, "添字が使えません: -1"},
        {{"代入", "v[1000000]", "1"}, "添字が大きすぎます: 1000000"},
        {{"乱数", "v[]", "0"}, "乱数の上限は 1 以上にしてください: 0"},
        {{"範囲に収める", "v[]", "5", "1"}, "最小が最大より大きい: 5 > 1"},
        {{"背景色", "7"}, "定数ではありません: 7"},
        {{"画像表示", "1", "none.png"}, "ファイルが見つかりません: none.png"},
        {{"画像移動", "3", "0", "0"}, "画像 3 は表示されていません"},
        {{"代入", "画面幅,画面の横の大きさ（ピクセル）", "0"}, "画面の大きさが使えません: 0"},
    };
    for (const auto& [row, reason] : cases) {
        SetUp();
        addItem(true);
        declare("v");
        op(row[0], std::vector<std::string>(row.begin() + 1, row.end()));
        start();
        EXPECT_EQ(errorMessage(), place + reason);
    }
}

TEST_F(RuntimeErrorsTest, FaultsAreReportedOnlyWhenReachedAndStopEverything) {
    addItem(true, "hero");
    declare("v");
    jump(item(1), "等しければ", {"1", "2"});
    op("増やす", {"v[]"});
    op("待つ", {"1000"});
    addItem(true);
    op("割り算", {"v[]", "1", "v[]"});
    addScene("sub");
    addItem(true);
    start(2);
    EXPECT_EQ(errorMessage(), "");
    run(59);
    EXPECT_EQ(errorMessage(), "");
    EXPECT_TRUE(dumps("グローバル v[0] = 1"));
    SetUp();
    addItem(true);
    jump(scene(1), "飛ぶ");
    addScene("sub");
    addItem(true, "boss");
    op("割り算", {"得点,ゲームの得点（自由に使える）", "1", "0"});
    start();
    EXPECT_EQ(errorMessage(), "シーン「sub」 アイテム「boss」 1 行目: 0 で割ることはできません");
    run(1);
    EXPECT_FALSE(game->finished());
    SetUp();
    addItem(true);
    op("キー待ち", {"画面幅,画面の横の大きさ（ピクセル）"});
    start(1);
    FrameInput up;
    up.keysDown[0] = true;
    run(1, up);
    EXPECT_EQ(errorMessage(),
              "シーン「メイン」 アイテム「itm0」 1 行目: 画面の大きさが使えません: 0");
}

TEST_F(RuntimeErrorsTest, MissingFilesStopTheGameBeforeItStarts) {
    GameOptions options;
    options.projectPath = (folder / "missing.txt").string();
    options.vocabularyDir = (folder / "nowhere").string();
    Game missing(options);
    ASSERT_TRUE(missing.error());
    EXPECT_EQ(missing.error()->message(),
              "ファイル " + (folder / "nowhere" / "sysHen.txt").string() + " は開けません");
    missing.runFrame({}, host);
    EXPECT_FALSE(missing.finished());
}

} // namespace
} // namespace hakoniwa::player::testing
