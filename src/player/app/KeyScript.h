#pragma once

#include "player/runtime/Game.h"

#include <stdexcept>
#include <string>
#include <vector>

// The input of a headless run, read from a small text file: one event per line, each taking
// effect just before its frame runs (frames count from 0). Lines:
//   <frame> key <up|down|left|right|decide|cancel> <down|up>
//   <frame> mouse <x> <y>                          (moves the mouse)
//   <frame> mouse <x> <y> <left|right> <down|up>
//   <frame> name <text>                            (answers the name entry)
// Blank lines and lines starting with "#" are skipped.
namespace hakoniwa::player {

enum class MouseButton { None, Left, Right };

struct ScriptEvent {
    enum class Kind { Key, Mouse, Name };
    int frame = 0;
    Kind kind = Kind::Key;
    Key key = Key::Up;
    MouseButton button = MouseButton::None;
    bool down = false;
    int x = 0;
    int y = 0;
    std::string name; // code page 932
};

class KeyScript {
public:
    // A line that does not read stops the parse: the message names the line ("3 行目: …").
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // `text` is UTF-8. Events come out in frame order, lines of one frame in file order.
    static KeyScript parse(const std::string& text);

    const std::vector<ScriptEvent>& events() const { return all; }

private:
    std::vector<ScriptEvent> all;
};

} // namespace hakoniwa::player
