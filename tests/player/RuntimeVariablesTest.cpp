#include "RuntimeFixture.h"

namespace hakoniwa::player::testing {
namespace {

using RuntimeVariablesTest = RuntimeTest;

TEST_F(RuntimeVariablesTest, ArraysMembersAndIndexes) {
    addItem(true);
    declare("pos", {"x", "y"});
    declare("n");
    op("代入", {"pos[2].y", "7"});
    op("代入", {"n[]", "2"});
    op("代入", {"pos[n].x", "3"});
    op("代入", {"pos[得点].x", "$10"});
    op("代入", {"n[1]", "abc"});
    start();
    EXPECT_TRUE(dumps("グローバル pos[2].y = 7"));
    EXPECT_TRUE(dumps("グローバル pos[2].x = 3"));
    EXPECT_TRUE(dumps("グローバル pos[1].x = 0"));
    EXPECT_TRUE(dumps("グローバル pos[0].x = 16"));
    EXPECT_TRUE(dumps("グローバル n[1] = \"abc\""));
    EXPECT_EQ(errorMessage(), "");
}

TEST_F(RuntimeVariablesTest, ArithmeticWrapsAndTexts) {
    addItem(true);
    declare("r", {"m"});
    op("代入", {"r[0]", "17"});
    op("割り算", {"r[0]", "r[0]", "5"});
    op("余り", {"r[1]", "-7", "2"});
    op("足し算", {"r[2]", "2147483647", "1"});
    op("掛け算", {"r[3]", "65536", "65536"});
    op("割り算", {"r[4]", "-2147483648", "-1"});
    op("比較", {"r[5]", "3", "より小さい,2", "4"});
    op("比較", {"r[6]", "12", "等しい,0", "r[7].m"});
    op("増やす", {"r[7].m", "-3"});
    op("範囲に収める", {"r[8]", "5", "9"});
    op("数値を文字に", {"r[9]", "42"});
    op("文字連結", {"r[10]", "得点,ゲームの得点（自由に使える）", "点"});
    op("比較", {"r[11]", "r[9]", "等しい,0", "42"});
    start();
    EXPECT_TRUE(dumps("グローバル r[0] = 3"));
    EXPECT_TRUE(dumps("グローバル r[1] = -1"));
    EXPECT_TRUE(dumps("グローバル r[2] = -2147483648"));
    EXPECT_TRUE(dumps("グローバル r[3] = 0"));
    EXPECT_TRUE(dumps("グローバル r[4] = -2147483648"));
    EXPECT_TRUE(dumps("グローバル r[5] = 1"));
    EXPECT_TRUE(dumps("グローバル r[6] = 0"));
    EXPECT_TRUE(dumps("グローバル r[7].m = -3"));
    EXPECT_TRUE(dumps("グローバル r[8] = 5"));
    EXPECT_TRUE(dumps("グローバル r[9] = \"42\""));
    EXPECT_TRUE(dumps("グローバル r[10] = \"0点\""));
    EXPECT_TRUE(dumps("グローバル r[11] = 1"));
}

TEST_F(RuntimeVariablesTest, RandomIsSeededAndSystemVariablesAreKept) {
    addItem(true);
    declare("r");
    op("乱数", {"r[0]", "6"});
    op("乱数", {"r[1]", "6"});
    op("代入", {"得点,ゲームの得点（自由に使える）", "5"});
    op("代入", {"画面幅,画面の横の大きさ（ピクセル）", "320"});
    op("次の画面まで待つ");
    op("代入", {"r[2]", "フレーム数,ゲームが始まってから画面を描き直した回数"});
    start(3);
    const std::string first = game->dumpVariables();
    start(3);
    EXPECT_EQ(game->dumpVariables(), first);
    EXPECT_TRUE(dumps("グローバル r[2] = 1"));
    EXPECT_TRUE(dumps("システム 得点 = 5"));
    EXPECT_EQ(game->width(), 320);
    EXPECT_EQ(game->height(), 480);
}

} // namespace
} // namespace hakoniwa::player::testing
