#include "RuntimeFixture.h"

#include "model/Utf8Text.h"
#include "player/runtime/Interpreter.h"

// No game freezes the player or takes its memory: one row budget per frame for all threads,
// and limits that stop the game at the row that passes them.
namespace hakoniwa::player::testing {
namespace {

using RuntimeLimitsTest = RuntimeTest;

std::int64_t dumpedNumber(const std::string& dump, const std::string& name) {
    const std::size_t at = dump.find(name + " = ");
    return at == std::string::npos ? -1 : std::stoll(dump.substr(at + name.size() + 3));
}

// A loop through a scene call and its return used to run in one frame for ever.
TEST_F(RuntimeLimitsTest, ALoopThroughSceneCallsEndsEachFrame) {
    for (const bool endsWithEndScene : {false, true}) {
        SetUp();
        addItem(true, "A");
        declare("n");
        jump(scene(1), "飛ぶ");
        jump(item(0), "飛ぶ");
        addScene("サブ");
        addItem(true, "B");
        declare("k");
        op("増やす", {"n[]", "1"});
        if (endsWithEndScene) {
            op("代入", {"k[]", "1"});
            op("シーン終了");
        }
        start(1);
        const std::int64_t first = dumpedNumber(game->dumpVariables(), "グローバル n[0]");
        EXPECT_GT(first, 0);
        EXPECT_LT(first, Interpreter::kRowsPerFrame);
        run(2);
        EXPECT_GT(dumpedNumber(game->dumpVariables(), "グローバル n[0]"), 2 * first);
        EXPECT_EQ(errorMessage(), "");
    }
}

// 50 busy start items share one budget: a frame runs kRowsPerFrame rows in all, each item
// its share.
TEST_F(RuntimeLimitsTest, AllThreadsShareOneRowBudgetPerFrame) {
    constexpr int kItems = 50;
    addItem(true);
    declare("c", {});
    for (int i = 0; i < kItems; ++i) {
        if (i > 0)
            addItem(true);
        op("増やす", {"c[" + std::to_string(i) + "]", "1"});
        jump(item(i), "飛ぶ");
    }
    const auto total = [&] {
        std::int64_t sum = 0;
        for (int i = 0; i < kItems; ++i)
            sum += std::max<std::int64_t>(
                0, dumpedNumber(game->dumpVariables(), "グローバル c[" + std::to_string(i) + "]"));
        return sum;
    };
    start(1);
    EXPECT_EQ(total(), Interpreter::kRowsPerFrame / 2);
    EXPECT_EQ(dumpedNumber(game->dumpVariables(), "グローバル c[49]"),
              Interpreter::kRowsPerFrame / 2 / kItems);
    run(1);
    EXPECT_EQ(total(), Interpreter::kRowsPerFrame);
}

// Each case: rows after a declaration, the place of the row that passes a limit and the
// reason. Loops are items jumping to themselves.
TEST_F(RuntimeLimitsTest, EachLimitStopsTheGameAtItsRow) {
    const auto place = [](int command) {
        return "シーン「メイン」 アイテム「itm0」 " + std::to_string(command) + " 行目: ";
    };
    // Four values per element: element 999,999 needs 4,000,000.
    addItem(true);
    declare("v", {"a", "b", "c"});
    op("代入", {"v[999999].a", "1"});
    start();
    EXPECT_EQ(errorMessage(), place(2) + "変数の値が多すぎます: 上限 2000000 個");

    // A text doubled in a loop.
    SetUp();
    addItem(true);
    declare("s");
    op("代入", {"s[]", "x"});
    jump(item(1), "飛ぶ");
    addItem(false);
    op("文字連結", {"s[]", "s[]", "s[]"});
    jump(item(1), "飛ぶ");
    start();
    EXPECT_EQ(errorMessage(), "シーン「メイン」 アイテム「itm1」 1 行目: "
                              "文字列が長すぎます: 上限 1000000 バイト");

    // Texts of 512 KiB kept in ever-new elements pass 64 MiB.
    SetUp();
    addItem(true);
    declare("s");
    declare("t");
    declare("i");
    op("代入", {"s[]", "x"});
    for (int i = 0; i < 19; ++i)
        op("文字連結", {"s[]", "s[]", "s[]"});
    jump(item(1), "飛ぶ");
    addItem(false);
    op("代入", {"t[i]", "s[]"});
    op("増やす", {"i[]"});
    jump(item(1), "飛ぶ");
    start();
    EXPECT_EQ(errorMessage(), "シーン「メイン」 アイテム「itm1」 1 行目: "
                              "変数の文字列が多すぎます: 上限 67108864 バイト");

    // Images under ever-new numbers, texts at ever-new places.
    const std::vector<std::pair<std::vector<std::string>, std::string>> screens = {
        {{"画像表示", "i[]", "a.png"}, "画像が多すぎます: 上限 10000 枚"},
        {{"文字表示", "*", "i[]", "0"}, "画面の文字が多すぎます: 上限 10000 個"},
    };
    for (const auto& [row, reason] : screens) {
        SetUp();
        touch("a.png");
        addItem(true);
        declare("i");
        op("増やす", {"i[]"});
        op(row[0], std::vector<std::string>(row.begin() + 1, row.end()));
        jump(item(0), "飛ぶ");
        start();
        EXPECT_EQ(errorMessage(), place(3) + reason);
        EXPECT_TRUE(dumps("グローバル i[0] = 10001"));
    }
}

TEST_F(RuntimeLimitsTest, TextsOnScreenAreReplacedRemovedAndClearedByPosition) {
    addItem(true);
    declare("i");
    op("文字表示", {"a", "1", "1"});
    op("文字表示", {"b", "2", "1"});
    op("文字表示", {"c", "3", "1"});
    op("文字表示", {"B", "2", "1", "赤,2"}); // replaced where it was
    op("文字表示", {"", "1", "1"});          // removed
    op("文字表示", {"", "9", "9"});          // nothing there: nothing happens
    op("文字表示", {"A", "1", "1"});         // written again: drawn last
    op("次の画面まで待つ");
    op("画面消去");
    op("文字表示", {"z", "1", "1"});
    start();
    std::vector<std::string> shown;
    for (const PictureText& text : game->picture().texts)
        shown.push_back(cp932ToUtf8(text.text) + "@" + std::to_string(text.x));
    EXPECT_EQ(shown, (std::vector<std::string>{"B@2", "c@3", "A@1"}));
    EXPECT_EQ(game->picture().texts[0].colour, 2);
    run(1);
    ASSERT_EQ(game->picture().texts.size(), 1u);
    EXPECT_EQ(game->picture().texts[0].text, "z");
}

TEST_F(RuntimeLimitsTest, AnIndexHoldingATextIsNoIndex) {
    addItem(true);
    declare("v");
    declare("i");
    op("代入", {"i[]", "abc"});
    op("代入", {"v[i]", "1"});
    start();
    EXPECT_EQ(errorMessage(), "シーン「メイン」 アイテム「itm0」 4 行目: 添字が使えません: abc");
}

} // namespace
} // namespace hakoniwa::player::testing
