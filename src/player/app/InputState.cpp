#include "player/app/InputState.h"

namespace hakoniwa::player {

void InputState::setKey(Key key, bool down) {
    const auto index = static_cast<std::size_t>(key);
    held.keysDown[index] = down;
    if (down)
        tapped[index] = true;
}

void InputState::moveMouse(int x, int y) {
    held.mouseX = x;
    held.mouseY = y;
}

void InputState::setButton(MouseButton button, bool down) {
    if (button == MouseButton::Left) {
        held.mouseLeft = down;
        leftTapped = leftTapped || down;
    } else if (button == MouseButton::Right) {
        held.mouseRight = down;
        rightTapped = rightTapped || down;
    }
}

void InputState::enterName(std::string answer) {
    name = std::move(answer);
}

void InputState::apply(const ScriptEvent& event) {
    switch (event.kind) {
    case ScriptEvent::Kind::Key:
        setKey(event.key, event.down);
        break;
    case ScriptEvent::Kind::Mouse:
        moveMouse(event.x, event.y);
        setButton(event.button, event.down);
        break;
    case ScriptEvent::Kind::Name:
        enterName(event.name);
        break;
    }
}

FrameInput InputState::takeFrame() {
    FrameInput input = held;
    for (std::size_t i = 0; i < tapped.size(); ++i)
        input.keysDown[i] = input.keysDown[i] || tapped[i];
    input.mouseLeft = input.mouseLeft || leftTapped;
    input.mouseRight = input.mouseRight || rightTapped;
    input.nameEntered = std::move(name);
    tapped = {};
    leftTapped = rightTapped = false;
    name.reset();
    return input;
}

} // namespace hakoniwa::player
