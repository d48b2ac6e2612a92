#include "RuntimeFixture.h"
#include "model/Utf8Text.h"

#include <algorithm>
#include <filesystem>

using namespace hakoniwa;
using namespace hakoniwa::player;

// The shipped sample game played through: 決定 on the title starts it, the player walks up
// and left onto a coin, then stands still until the enemy that falls where the player stands
// has taken the three lives; the game-over scene counts the play and keeps the best score,
// and 決定 there goes back to the title, which shows that score.
TEST(RuntimeSampleGame, PlaysFromTitleThroughACoinToGameOverAndBack) {
    const std::filesystem::path source(HAKONIWA_SOURCE_DIR);
    hakoniwa::player::testing::FakeHost host;
    host.sizes = {{"player.png", {32, 32}},
                  {"enemy.png", {32, 32}},
                  {"coin.png", {24, 24}},
                  {"title.bmp", {320, 64}}};
    GameOptions options;
    options.projectPath = (source / "samples/game/game.txt").string();
    options.vocabularyDir = (source / "dat/txt/game").string();
    Game game(options);
    const auto held = [](int frame, int from, int to) { return frame >= from && frame < to; };
    FrameInput input;
    for (int frame = 0; frame < 600; ++frame) {
        input.keysDown[static_cast<int>(Key::Decide)] = held(frame, 2, 5) || held(frame, 560, 563);
        input.keysDown[static_cast<int>(Key::Up)] = held(frame, 10, 27);
        input.keysDown[static_cast<int>(Key::Left)] = held(frame, 30, 62);
        game.runFrame(input, host);
        ASSERT_FALSE(game.error()) << frame << ": " << game.error()->message();
    }
    EXPECT_EQ(host.calls, (std::vector<std::string>{"music bgm.wav 60", "effect coin.wav 100",
                                                    "effect hit.wav 100", "effect hit.wav 100",
                                                    "effect hit.wav 100", "stop 1"}));
    const std::string dump = game.dumpVariables();
    EXPECT_NE(dump.find("グローバル プレイ回数[0] = 1\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("グローバル 最高得点[0] = 10\n"), std::string::npos) << dump;

    const Picture& title = game.picture();
    ASSERT_EQ(title.images.count(1), 1u);
    EXPECT_EQ(std::filesystem::path(title.images.at(1).path).filename(), "title.bmp");
    std::vector<std::string> texts;
    for (const PictureText& text : title.texts)
        texts.push_back(cp932ToUtf8(text.text));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "最高得点：10"), texts.end());
    EXPECT_FALSE(game.finished());
}
