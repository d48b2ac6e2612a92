#pragma once

#include "player/app/KeyScript.h"
#include "player/runtime/Game.h"

#include <array>
#include <optional>
#include <string>

// Keys, mouse and name answers as they arrive between frames, turned into one FrameInput per
// frame. A key or button pressed and released between two frames still counts as down for
// the next frame, so a quick tap is never lost.
namespace hakoniwa::player {

class InputState {
public:
    void setKey(Key key, bool down);
    void moveMouse(int x, int y);
    void setButton(MouseButton button, bool down);
    // `name` is code page 932; it reaches the game with the next frame.
    void enterName(std::string name);
    void apply(const ScriptEvent& event);

    // The input for the next frame; forgets the taps and the name it hands over.
    FrameInput takeFrame();

private:
    FrameInput held;
    std::array<bool, kKeyCount> tapped{};
    bool leftTapped = false;
    bool rightTapped = false;
    std::optional<std::string> name;
};

} // namespace hakoniwa::player
