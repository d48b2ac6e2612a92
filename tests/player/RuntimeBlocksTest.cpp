#include "RuntimeFixture.h"

#include "model/Utf8Text.h"

// The building blocks of the 便利 group and the components that go with them, on a 640 x 480
// screen with images of 10 x 10 pixels unless the host says otherwise.
namespace hakoniwa::player::testing {
namespace {

using RuntimeBlocksTest = RuntimeTest;

FrameInput keys(std::initializer_list<Key> down) {
    FrameInput input;
    for (Key key : down)
        input.keysDown[static_cast<int>(key)] = true;
    return input;
}

std::pair<int, int> at(const Game& game, int image) {
    const PictureImage& shown = game.picture().images.at(image);
    return {shown.x, shown.y};
}

TEST_F(RuntimeBlocksTest, ArrowKeysMoveAnImageAndKeepItOnTheScreen) {
    addItem(true);
    op("画像表示", {"1", touch("p.png"), "5", "5"});
    op("矢印キーで動かす", {"1", "4"});
    op("次の画面まで待つ");
    op("矢印キーで動かす", {"1", "4"});
    op("次の画面まで待つ");
    op("矢印キーで動かす", {"1", "700", "左右だけ,1"});
    op("次の画面まで待つ");
    op("矢印キーで動かす", {"1", "9", "上下だけ,2"});
    op("次の画面まで待つ");
    start(1, keys({Key::Left, Key::Up}));
    EXPECT_EQ(at(*game, 1), std::make_pair(1, 1));
    run(1, keys({Key::Left, Key::Up}));
    EXPECT_EQ(at(*game, 1), std::make_pair(0, 0));
    run(1, keys({Key::Right, Key::Down}));
    EXPECT_EQ(at(*game, 1), std::make_pair(630, 0)); // the right edge; up and down ignored
    run(1, keys({Key::Right, Key::Down}));
    EXPECT_EQ(at(*game, 1), std::make_pair(630, 9));
}

TEST_F(RuntimeBlocksTest, ImagesShiftBounceFollowAndAppearNearOthers) {
    host.sizes["b.png"] = {20, 20};
    addItem(true);
    declare("v", {"x", "y"});
    declare("p", {"x", "y"});
    op("画像表示", {"1", touch("a.png")});
    op("画像表示", {"2", touch("b.png"), "100", "50"});
    op("画像をずらす", {"1", "-5", "3"});
    op("画像の位置", {"1", "p[0].x", "p[0].y"});
    op("画面の中に収める", {"1"});
    op("近づける", {"1", "2", "4"}); // toward (105, 55): centre on centre
    op("画像の位置", {"1", "p[1].x", "p[1].y"});
    op("近づける", {"1", "2", "1000"});
    op("画像の位置", {"1", "p[2].x", "p[2].y"});
    op("そばに表示", {"3", touch("s.png"), "2", "5", "-10"});
    op("画像の位置", {"3", "p[3].x", "p[3].y"});
    op("画像表示", {"4", "a.png", "625", "468"});
    op("代入", {"v[].x", "10"});
    op("代入", {"v[].y", "5"});
    op("跳ね返らせる", {"4", "v[].x", "v[].y"});
    op("画像の位置", {"4", "p[4].x", "p[4].y"});
    op("跳ね返らせる", {"4", "v[].x", "v[].y"});
    op("画像の位置", {"4", "p[5].x", "p[5].y"});
    start();
    EXPECT_TRUE(dumps("グローバル p[0].x = -5"));
    EXPECT_TRUE(dumps("グローバル p[0].y = 3"));
    EXPECT_TRUE(dumps("グローバル p[1].x = 4"));
    EXPECT_TRUE(dumps("グローバル p[1].y = 7"));
    EXPECT_TRUE(dumps("グローバル p[2].x = 105"));
    EXPECT_TRUE(dumps("グローバル p[2].y = 55"));
    EXPECT_TRUE(dumps("グローバル p[3].x = 105"));
    EXPECT_TRUE(dumps("グローバル p[3].y = 40"));
    // Against the right and bottom edges both speeds turn back; the next step goes inside.
    EXPECT_TRUE(dumps("グローバル p[4].x = 630"));
    EXPECT_TRUE(dumps("グローバル p[4].y = 470"));
    EXPECT_TRUE(dumps("グローバル v[0].x = -10"));
    EXPECT_TRUE(dumps("グローバル v[0].y = -5"));
    EXPECT_TRUE(dumps("グローバル p[5].x = 620"));
    EXPECT_TRUE(dumps("グローバル p[5].y = 465"));
}

TEST_F(RuntimeBlocksTest, RandomPlacesValuesAndTimers) {
    addItem(true);
    declare("t");
    declare("p", {"x", "y"});
    op("画像表示", {"1", touch("a.png")});
    op("でたらめに置く", {"1", "100", "200", "100", "200"});
    op("画像の位置", {"1", "p[0].x", "p[0].y"});
    op("でたらめに置く", {"1", "-2147483648", "7", "2147483647", "7"}); // the widest range
    op("画像の位置", {"1", "p[2].x", "p[2].y"});
    op("でたらめに置く", {"1", "0", "0", "3", "3"});
    op("画像の位置", {"1", "p[1].x", "p[1].y"});
    op("代入", {"t[]", "2"});
    op("値を表示", {"得点：", "t[]", "8", "8", "黄,4"});
    op("カウントダウン", {"t[]"});
    op("カウントダウン", {"t[]"});
    op("カウントダウン", {"t[]"});
    op("値を表示", {"残り", "t[]", "8", "8"});
    start();
    EXPECT_TRUE(dumps("グローバル p[0].x = 100"));
    EXPECT_TRUE(dumps("グローバル p[0].y = 200"));
    EXPECT_TRUE(dumps("グローバル t[0] = 0"));
    EXPECT_TRUE(dumps("グローバル p[2].y = 7"));
    const auto [x, y] = at(*game, 1);
    EXPECT_TRUE(x >= 0 && x <= 3 && y >= 0 && y <= 3) << x << "," << y;
    ASSERT_EQ(game->picture().texts.size(), 1u); // the second text replaced the first
    EXPECT_EQ(cp932ToUtf8(game->picture().texts[0].text), "残り0");
    EXPECT_EQ(game->picture().texts[0].colour, 0);
}

// Three threads try the components; a jump that should not happen counts in wrong.
TEST_F(RuntimeBlocksTest, ComponentsForShownLeftAndClickedImages) {
    addItem(true);
    declare("j", {"right", "wrong"});
    op("画像表示", {"1", touch("a.png"), "50", "50"});
    op("画像表示", {"2", "a.png", "635", "50"});
    op("画像表示", {"3", "a.png", "-10", "0"});
    addItem(true);
    jump(item(4), "画像があれば", {"7"});
    jump(item(4), "画面から出たら", {"2"});
    jump(item(4), "画面から出たら", {"7"});
    jump(item(5), "画像があれば", {"1"});
    addItem(true);
    jump(item(5), "画面から出たら", {"3"});
    jump(item(4), "飛ぶ");
    addItem(true);
    op("クリック待ち");
    jump(item(4), "クリックされたら", {"1"});
    op("クリック待ち");
    jump(item(5), "クリックされたら", {"1"});
    jump(item(4), "飛ぶ");
    addItem(false);
    op("増やす", {"j[].wrong"});
    addItem(false);
    op("増やす", {"j[].right"});
    start();
    FrameInput click;
    click.mouseY = 400;
    click.mouseLeft = true;
    run(1, click); // outside the image
    run(1);
    click.mouseX = click.mouseY = 55;
    run(1, click);
    EXPECT_TRUE(dumps("グローバル j[0].right = 3"));
    EXPECT_TRUE(dumps("グローバル j[0].wrong = 0"));
}

TEST_F(RuntimeBlocksTest, ImagesNotShownAndEmptyRangesStopTheGame) {
    const std::string place = "シーン「メイン」 アイテム「itm0」 2 行目: ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"矢印キーで動かす", "2"}, "画像 2 は表示されていません"},
        {{"近づける", "1", "3"}, "画像 3 は表示されていません"},
        {{"そばに表示", "4", "a.png", "5"}, "画像 5 は表示されていません"},
        {{"でたらめに置く", "1", "10", "0", "9", "0"}, "最小が最大より大きい: 10 > 9"},
        {{"跳ね返らせる", "1", "3", "0"}, "代入先が変数ではありません: 3"},
    };
    for (const auto& [row, reason] : cases) {
        SetUp();
        addItem(true);
        op("画像表示", {"1", touch("a.png")});
        op(row[0], std::vector<std::string>(row.begin() + 1, row.end()));
        start();
        EXPECT_EQ(errorMessage(), place + reason);
    }
}

} // namespace
} // namespace hakoniwa::player::testing
