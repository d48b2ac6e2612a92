#include "RuntimeFixture.h"

#include "model/Utf8Text.h"

namespace hakoniwa::player::testing {
namespace {

using RuntimeScreenTest = RuntimeTest;

TEST_F(RuntimeScreenTest, ImagesAndTexts) {
    addItem(true);
    declare("hit");
    op("背景色", {"空色,2"});
    op("画像表示", {"1", touch("a.png"), "0", "0"});
    op("画像表示", {"2", touch("b.png"), "10", "5"});
    op("当たり判定", {"hit[0]", "1", "2"});
    op("画像移動", {"2", "9", "5"});
    op("当たり判定", {"hit[1]", "1", "2"});
    jump(item(1), "当たったら", {"1", "2"});
    addItem(false);
    op("文字表示", {"得点", "5", "6", "赤,2"});
    op("文字表示", {"ok", "5", "6", "青,3"});
    op("文字表示", {"x", "0", "6"});
    op("次の画面まで待つ");
    op("画像消去", {"1"});
    op("次の画面まで待つ");
    op("画面消去");
    start();
    EXPECT_TRUE(dumps("グローバル hit[0] = 0"));
    EXPECT_TRUE(dumps("グローバル hit[1] = 1"));
    const Picture& picture = game->picture();
    EXPECT_EQ(picture.background, 2);
    ASSERT_EQ(picture.images.size(), 2u);
    EXPECT_EQ(picture.images.at(2).x, 9);
    EXPECT_EQ(picture.images.at(1).path, (folder / "a.png").lexically_normal().string());
    ASSERT_EQ(picture.texts.size(), 2u);
    EXPECT_EQ(cp932ToUtf8(picture.texts[0].text), "ok");
    EXPECT_EQ(picture.texts[0].colour, 3);
    EXPECT_EQ(picture.texts[1].colour, 0);
    run(1);
    EXPECT_EQ(game->picture().images.count(1), 0u);
    run(1);
    EXPECT_TRUE(game->picture().images.empty());
    EXPECT_TRUE(game->picture().texts.empty());
    EXPECT_EQ(game->picture().background, 2);
}

TEST_F(RuntimeScreenTest, SoundsAndNamesGoThroughTheHost) {
    addItem(true);
    declare("name");
    op("効果音", {touch("hit.wav"), "150"});
    op("BGM再生", {touch("song.ogg")});
    op("BGM停止", {"小さくしながら止める,1"});
    op("名前入力", {"name[]", "名前は？"});
    op("文字表示", {"name[]", "0", "0"});
    start(2);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"effect hit.wav 100", "music song.ogg 80",
                                                    "stop 1", "ask 名前は？"}));
    FrameInput answer;
    answer.nameEntered = utf8ToCp932("太郎");
    run(1, answer);
    EXPECT_TRUE(dumps("グローバル name[0] = \"太郎\""));
    EXPECT_EQ(cp932ToUtf8(game->picture().texts.at(0).text), "太郎");
}

} // namespace
} // namespace hakoniwa::player::testing
