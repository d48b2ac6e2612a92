#include "RuntimeFixture.h"

namespace hakoniwa::player::testing {
namespace {

using RuntimeFlowTest = RuntimeTest;

TEST_F(RuntimeFlowTest, ComponentsDecideJumpsToItems) {
    addItem(true);
    declare("i");
    declare("r");
    op("増やす", {"i[]"});
    jump(item(0), "小さければ", {"i[]", "10"});
    jump(item(1), "大きければ", {"i[]", "10"});
    jump(item(1), "等しければ", {"i[]", "10"});
    op("代入", {"r[]", "-1"});
    addItem(false);
    op("代入", {"r[1]", "1"});
    jump(item(2), "違えば", {"abc", "abc"});
    jump(item(2), "キーが押されたら", {"決定,4"});
    jump(item(2), "当たったら");
    jump(item(2), "確率で", {"0"});
    jump(item(3), "確率で", {"100"});
    addItem(false);
    op("代入", {"r[2]", "1"});
    addItem(false);
    op("代入", {"r[3]", "1"});
    start();
    EXPECT_TRUE(dumps("グローバル i[0] = 10"));
    EXPECT_TRUE(dumps("グローバル r[0] = 0"));
    EXPECT_TRUE(dumps("グローバル r[1] = 1"));
    EXPECT_TRUE(dumps("グローバル r[2] = 0"));
    EXPECT_TRUE(dumps("グローバル r[3] = 1"));
    EXPECT_TRUE(game->finished());
}

TEST_F(RuntimeFlowTest, ScenesAreCalledWithFreshLocalsAndReturn) {
    addItem(true);
    declare("n");
    op("代入", {"n[]", "1"});
    jump(scene(1), "飛ぶ");
    jump(scene(1), "飛ぶ");
    op("足し算", {"n[]", "n[]", "10"});
    addScene("sub");
    addItem(true);
    declare("k");
    op("増やす", {"k[]"});
    op("足し算", {"n[]", "n[]", "k[]"});
    jump(item(1), "飛ぶ");
    addItem(false);
    op("シーン終了");
    op("代入", {"n[]", "99"});
    start();
    EXPECT_TRUE(dumps("グローバル n[0] = 13"));
    EXPECT_TRUE(game->finished());
}

TEST_F(RuntimeFlowTest, ThreadsTakeTurnsAndACallWaitsForAllItsThreads) {
    addItem(true);
    declare("log");
    declare("n");
    op("代入", {"log[9]", "-1"});
    jump(scene(1), "飛ぶ");
    op("代入", {"log[9]", "シーン番号,いま動いているシーンの番号"});
    addItem(true);
    op("増やす", {"n[]"});
    op("次の画面まで待つ");
    op("増やす", {"n[]"});
    addScene("sub");
    addItem(true);
    op("代入", {"log[1]", "シーン番号,いま動いているシーンの番号"});
    op("待つ", {"50"});
    addItem(true);
    op("代入", {"log[2]", "n[]"});
    start(1);
    EXPECT_TRUE(dumps("グローバル log[2] = 1"));
    EXPECT_TRUE(dumps("グローバル log[1] = 1"));
    EXPECT_TRUE(dumps("グローバル log[9] = -1"));
    run(2);
    EXPECT_TRUE(dumps("グローバル n[0] = 2"));
    EXPECT_TRUE(dumps("グローバル log[9] = -1"));
    EXPECT_FALSE(game->finished());
    run(1); // game time 50 in frame 3
    EXPECT_TRUE(dumps("グローバル log[9] = 0"));
    EXPECT_TRUE(game->finished());
}

TEST_F(RuntimeFlowTest, ALoopWithoutWaitGoesOnInTheNextFrame) {
    addItem(true);
    declare("i");
    op("増やす", {"i[]"});
    jump(item(0), "小さければ", {"i[]", "60000"});
    start(1);
    EXPECT_TRUE(dumps("グローバル i[0] = 50000"));
    run(1);
    EXPECT_TRUE(dumps("グローバル i[0] = 60000"));
    EXPECT_TRUE(game->finished());
}

TEST_F(RuntimeFlowTest, GameEndsWithOrWithoutConfirmation) {
    addItem(true);
    declare("n");
    op("ゲーム終了", {"確認してから終える,1"});
    op("代入", {"n[]", "1"});
    op("ゲーム終了", {"確認せずに終える,0"});
    op("代入", {"n[]", "2"});
    host.quitAnswer = false;
    start();
    EXPECT_TRUE(dumps("グローバル n[0] = 1"));
    EXPECT_TRUE(game->finished());
}

} // namespace
} // namespace hakoniwa::player::testing
