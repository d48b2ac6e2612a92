#include "RuntimeFixture.h"

namespace hakoniwa::player::testing {
namespace {

using RuntimeInputTest = RuntimeTest;

FrameInput keys(std::initializer_list<Key> down) {
    FrameInput input;
    for (Key key : down)
        input.keysDown[static_cast<int>(key)] = true;
    return input;
}

TEST_F(RuntimeInputTest, WaitsCountGameTime) {
    addItem(true);
    declare("t");
    op("待つ", {"100"});
    op("代入", {"t[]", "経過時間,ゲームが始まってからのミリ秒"});
    op("待つ", {"0"});
    op("代入", {"t[1]", "フレーム数,ゲームが始まってから画面を描き直した回数"});
    start(6);
    EXPECT_TRUE(dumps("グローバル t[0] = 0"));
    run(1);
    EXPECT_TRUE(dumps("グローバル t[0] = 100"));
    run(1);
    EXPECT_TRUE(dumps("グローバル t[1] = 7"));
}

TEST_F(RuntimeInputTest, KeyWaitTakesAKeyThatGoesDown) {
    addItem(true);
    declare("k");
    op("キー待ち", {"k[]"});
    op("キー状態", {"k[1]", "右,3"});
    op("キー待ち", {"k[2]"});
    start(1, keys({Key::Left}));
    run(1, keys({Key::Left})); // held since before the wait: no press
    EXPECT_TRUE(dumps("グローバル k[0] = 0"));
    run(1, keys({Key::Cancel, Key::Right}));
    EXPECT_TRUE(dumps("グローバル k[0] = 3"));
    EXPECT_TRUE(dumps("グローバル k[1] = 1"));
    EXPECT_TRUE(dumps("システム 最後のキー = 3"));
    run(1, keys({Key::Cancel, Key::Right}));
    run(1, keys({Key::Up}));
    EXPECT_TRUE(dumps("グローバル k[2] = 0"));
}

TEST_F(RuntimeInputTest, MouseAndClicks) {
    addItem(true);
    declare("m");
    op("クリック待ち");
    op("マウス位置", {"m[0]", "m[1]"});
    op("マウスボタン", {"m[2]", "右,1"});
    op("代入", {"m[3]", "マウスX,マウスの横の位置"});
    FrameInput input;
    input.mouseX = 12;
    input.mouseY = 34;
    input.mouseRight = true;
    start(1, input);
    EXPECT_TRUE(dumps("グローバル m[0] = 0"));
    run(1, input);
    EXPECT_TRUE(dumps("グローバル m[0] = 0"));
    run(1, {});
    run(1, input);
    EXPECT_TRUE(dumps("グローバル m[0] = 12"));
    EXPECT_TRUE(dumps("グローバル m[1] = 34"));
    EXPECT_TRUE(dumps("グローバル m[2] = 1"));
    EXPECT_TRUE(dumps("グローバル m[3] = 12"));
}

} // namespace
} // namespace hakoniwa::player::testing
