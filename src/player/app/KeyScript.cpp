#include "player/app/KeyScript.h"

#include "model/Utf8Text.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <sstream>

namespace hakoniwa::player {
namespace {

const std::map<std::string, Key> kKeyNames = {
    {"up", Key::Up},         {"down", Key::Down},     {"left", Key::Left},   {"right", Key::Right},
    {"decide", Key::Decide}, {"cancel", Key::Cancel}, {"上", Key::Up},       {"下", Key::Down},
    {"左", Key::Left},       {"右", Key::Right},      {"決定", Key::Decide}, {"取消", Key::Cancel}};

struct LineReader {
    std::istringstream words;
    int number;

    [[noreturn]] void fail(const std::string& reason) const {
        throw KeyScript::Error(std::to_string(number) + " 行目: " + reason);
    }
    std::string word(const char* what) {
        std::string w;
        if (!(words >> w))
            fail(std::string(what) + "がありません");
        return w;
    }
    int integer(const char* what) {
        const std::string w = word(what);
        int value = 0;
        const auto [end, error] = std::from_chars(w.data(), w.data() + w.size(), value);
        if (error != std::errc() || end != w.data() + w.size())
            fail(std::string(what) + "が整数ではありません: " + w);
        return value;
    }
    bool upOrDown() {
        const std::string w = word("down か up の指定");
        if (w != "down" && w != "up")
            fail("down か up と書いてください: " + w);
        return w == "down";
    }
    void end() {
        std::string rest;
        if (words >> rest)
            fail("余分な語があります: " + rest);
    }
    std::string rest() {
        std::string text;
        std::getline(words >> std::ws, text);
        return text;
    }
};

ScriptEvent readEvent(LineReader& line) {
    ScriptEvent event;
    event.frame = line.integer("フレーム番号");
    if (event.frame < 0)
        line.fail("フレーム番号は 0 以上です");
    const std::string kind = line.word("種類 (key, mouse, name)");
    if (kind == "key") {
        event.kind = ScriptEvent::Kind::Key;
        const std::string name = line.word("キーの名前");
        const auto found = kKeyNames.find(name);
        if (found == kKeyNames.end())
            line.fail("知らないキー: " + name);
        event.key = found->second;
        event.down = line.upOrDown();
        line.end();
    } else if (kind == "mouse") {
        event.kind = ScriptEvent::Kind::Mouse;
        event.x = line.integer("X 座標");
        event.y = line.integer("Y 座標");
        std::string button;
        if (line.words >> button) {
            if (button != "left" && button != "right")
                line.fail("left か right と書いてください: " + button);
            event.button = button == "left" ? MouseButton::Left : MouseButton::Right;
            event.down = line.upOrDown();
            line.end();
        }
    } else if (kind == "name") {
        event.kind = ScriptEvent::Kind::Name;
        event.name = utf8ToCp932(line.rest());
    } else {
        line.fail("知らない種類: " + kind);
    }
    return event;
}

} // namespace

KeyScript KeyScript::parse(const std::string& text) {
    KeyScript script;
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const auto first = raw.find_first_not_of(" \t");
        if (first == std::string::npos || raw[first] == '#')
            continue;
        LineReader line{std::istringstream(raw), number};
        script.all.push_back(readEvent(line));
    }
    std::stable_sort(script.all.begin(), script.all.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return script;
}

} // namespace hakoniwa::player
