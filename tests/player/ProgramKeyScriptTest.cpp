#include "platform/Cp932Codec.h"
#include "player/app/InputState.h"
#include "player/app/KeyScript.h"

#include <gtest/gtest.h>

using namespace hakoniwa;
using namespace hakoniwa::player;

namespace {

std::string failureOf(const std::string& text) {
    try {
        KeyScript::parse(text);
    } catch (const KeyScript::Error& error) {
        return error.what();
    }
    return "(none)";
}

TEST(ProgramKeyScript, ReadsEveryKindOfLineInFrameOrder) {
    const KeyScript script = KeyScript::parse("# start\r\n"
                                              "\n"
                                              "30 mouse 100 200 left down\r\n"
                                              "10 key decide down\n"
                                              "  10 key 取消 up\n"
                                              "40 mouse 5 6\n"
                                              "50 name たろう と はなこ \n");
    const std::vector<ScriptEvent>& events = script.events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].frame, 10);
    EXPECT_EQ(events[0].key, Key::Decide);
    EXPECT_TRUE(events[0].down);
    EXPECT_EQ(events[1].key, Key::Cancel); // same frame: file order kept
    EXPECT_FALSE(events[1].down);
    EXPECT_EQ(events[2].kind, ScriptEvent::Kind::Mouse);
    EXPECT_EQ(events[2].button, MouseButton::Left);
    EXPECT_EQ(events[2].x, 100);
    EXPECT_EQ(events[2].y, 200);
    EXPECT_EQ(events[3].button, MouseButton::None);
    EXPECT_EQ(events[4].name, Cp932Codec::encode(QStringLiteral("たろう と はなこ ")));
}

TEST(ProgramKeyScript, NamesTheLineAndWhatIsWrong) {
    EXPECT_EQ(failureOf("\n1 key up down\nx key up down\n"),
              "3 行目: フレーム番号が整数ではありません: x");
    EXPECT_EQ(failureOf("-1 key up down"), "1 行目: フレーム番号は 0 以上です");
    EXPECT_EQ(failureOf("1 key jump down"), "1 行目: 知らないキー: jump");
    EXPECT_EQ(failureOf("1 key up"), "1 行目: down か up の指定がありません");
    EXPECT_EQ(failureOf("1 key up pressed"), "1 行目: down か up と書いてください: pressed");
    EXPECT_EQ(failureOf("1 key up down now"), "1 行目: 余分な語があります: now");
    EXPECT_EQ(failureOf("1 mouse 3"), "1 行目: Y 座標がありません");
    EXPECT_EQ(failureOf("1 mouse 3 4 middle down"),
              "1 行目: left か right と書いてください: middle");
    EXPECT_EQ(failureOf("1 wheel"), "1 行目: 知らない種類: wheel");
}

TEST(ProgramInput, ATapBetweenFramesIsDownForOneFrame) {
    InputState input;
    input.setKey(Key::Decide, true);
    input.setKey(Key::Decide, false);
    input.setButton(MouseButton::Right, true);
    input.setButton(MouseButton::Right, false);
    input.moveMouse(7, 8);
    input.enterName("abc");
    const FrameInput first = input.takeFrame();
    EXPECT_TRUE(first.keysDown[static_cast<int>(Key::Decide)]);
    EXPECT_TRUE(first.mouseRight);
    EXPECT_EQ(first.mouseX, 7);
    EXPECT_EQ(first.nameEntered, "abc");
    const FrameInput second = input.takeFrame();
    EXPECT_FALSE(second.keysDown[static_cast<int>(Key::Decide)]);
    EXPECT_FALSE(second.mouseRight);
    EXPECT_EQ(second.mouseY, 8); // the position stays
    EXPECT_FALSE(second.nameEntered);

    input.setKey(Key::Left, true); // held: down in every frame until released
    input.takeFrame();
    EXPECT_TRUE(input.takeFrame().keysDown[static_cast<int>(Key::Left)]);
}

} // namespace
