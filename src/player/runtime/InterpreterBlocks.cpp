#include "player/runtime/Interpreter.h"
#include "player/runtime/InterpreterThread.h"

#include "player/runtime/RowFault.h"

#include <algorithm>
#include <cstdlib>

// The building blocks: one row for what a small game otherwise spells out in five to ten rows
// of key states, arithmetic and image moves. They work on the images as the screen shows them,
// so a game needs no variables for positions unless it wants them.
namespace hakoniwa::player {
namespace {

enum Directions { AllFour, SidewaysOnly, UpDownOnly, kDirections };
constexpr int kTextColours = 5; // 白 黒 赤 青 黄, as 文字表示

// A shown image's rectangle; positions are computed in 64 bits and cut back at the end so that
// no sum of large values overflows.
struct Box {
    std::int64_t x, y, width, height;
};

std::int32_t cut(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

Box shownBox(const Screen& screen, int number) {
    const ImageSize* size = screen.shownSize(number);
    if (!size)
        throw RowFault("画像 " + std::to_string(number) + " は表示されていません");
    const PictureImage& image = screen.picture().images.at(number);
    return {image.x, image.y, size->width, size->height};
}

void place(Screen& screen, int number, std::int64_t x, std::int64_t y) {
    screen.moveImage(number, cut(x), cut(y));
}

// The highest position that keeps a side of the image on the screen; 0 when it is larger.
std::int64_t lastInside(std::int64_t screenSide, std::int64_t imageSide) {
    return std::max<std::int64_t>(0, screenSide - imageSide);
}

// One step of at most `speed` from `from` toward `to`.
std::int64_t stepToward(std::int64_t from, std::int64_t to, std::int64_t speed) {
    if (speed <= 0)
        return from;
    return from + std::clamp(to - from, -speed, speed);
}

} // namespace

void Interpreter::runBlock(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    const auto arg = [&](int k) { return number(a[k], thread); };
    switch (row.op) {
    case Op::ArrowMove: {
        const int image = arg(0);
        const Box box = shownBox(screen_, image);
        const std::int64_t speed = arg(1);
        const int directions = constant(a[2], thread, kDirections);
        const auto down = [&](Key key) { return input_.keysDown[static_cast<int>(key)] ? 1 : 0; };
        const int dx = directions == UpDownOnly ? 0 : down(Key::Right) - down(Key::Left);
        const int dy = directions == SidewaysOnly ? 0 : down(Key::Down) - down(Key::Up);
        place(screen_, image,
              std::clamp<std::int64_t>(box.x + dx * speed, 0, lastInside(width_, box.width)),
              std::clamp<std::int64_t>(box.y + dy * speed, 0, lastInside(height_, box.height)));
        break;
    }
    case Op::ShiftImage: {
        const Box box = shownBox(screen_, arg(0));
        place(screen_, arg(0), box.x + arg(1), box.y + arg(2));
        break;
    }
    case Op::Bounce: {
        const int image = arg(0);
        const Box box = shownBox(screen_, image);
        std::int64_t x = box.x + arg(1), y = box.y + arg(2);
        const std::int64_t right = lastInside(width_, box.width);
        const std::int64_t bottom = lastInside(height_, box.height);
        // At an edge the speed turns to point back inside, whatever its sign was.
        if (x < 0 || x > right)
            assignNumber(a[1], thread, cut(x < 0 ? std::llabs(arg(1)) : -std::llabs(arg(1))));
        if (y < 0 || y > bottom)
            assignNumber(a[2], thread, cut(y < 0 ? std::llabs(arg(2)) : -std::llabs(arg(2))));
        place(screen_, image, std::clamp<std::int64_t>(x, 0, right),
              std::clamp<std::int64_t>(y, 0, bottom));
        break;
    }
    case Op::KeepOnScreen: {
        const Box box = shownBox(screen_, arg(0));
        place(screen_, arg(0), std::clamp<std::int64_t>(box.x, 0, lastInside(width_, box.width)),
              std::clamp<std::int64_t>(box.y, 0, lastInside(height_, box.height)));
        break;
    }
    case Op::MoveToward: {
        // Centre toward centre, so images of different sizes meet in the middle.
        const Box from = shownBox(screen_, arg(0)), to = shownBox(screen_, arg(1));
        const std::int64_t speed = arg(2);
        const std::int64_t targetX = to.x + to.width / 2 - from.width / 2;
        const std::int64_t targetY = to.y + to.height / 2 - from.height / 2;
        place(screen_, arg(0), stepToward(from.x, targetX, speed),
              stepToward(from.y, targetY, speed));
        break;
    }
    case Op::PlaceRandomly: {
        shownBox(screen_, arg(0));
        const std::int32_t left = arg(1), top = arg(2), right = arg(3), bottom = arg(4);
        const auto within = [&](std::int32_t low, std::int32_t high) -> std::int64_t {
            if (low > high)
                throw RowFault("最小が最大より大きい: " + std::to_string(low) + " > " +
                               std::to_string(high));
            const std::int64_t span = std::int64_t{high} - low + 1;
            // A span beyond 2^31 draws numbers that only fit unsigned.
            const auto below = static_cast<std::uint32_t>(std::min<std::int64_t>(span, UINT32_MAX));
            return low + std::int64_t{static_cast<std::uint32_t>(draw(below))};
        };
        const std::int64_t x = within(left, right);
        place(screen_, arg(0), x, within(top, bottom));
        break;
    }
    case Op::ShowNear: {
        const Box from = shownBox(screen_, arg(2));
        screen_.showImage(arg(0), files_.resolve(text(a[1], thread)), cut(from.x + arg(3)),
                          cut(from.y + arg(4)), *host_);
        break;
    }
    case Op::ImagePosition: {
        const Box box = shownBox(screen_, arg(0));
        assignNumber(a[1], thread, cut(box.x));
        assignNumber(a[2], thread, cut(box.y));
        break;
    }
    case Op::ShowValue:
        screen_.writeText(text(a[0], thread) + text(a[1], thread), arg(2), arg(3),
                          constant(a[4], thread, kTextColours));
        break;
    default: { // Op::CountDown
        const std::int32_t left = arg(0);
        if (left > 0)
            assignNumber(a[0], thread, left - 1);
        break;
    }
    }
}

bool Interpreter::holdsBlock(Thread& thread, const PreparedRow& row) {
    const int image = number(row.args[0], thread);
    if (!screen_.shownSize(image))
        return false;
    const Box box = shownBox(screen_, image);
    switch (row.op) {
    case Op::IfOffScreen:
        return box.x + box.width <= 0 || box.x >= width_ || box.y + box.height <= 0 ||
               box.y >= height_;
    case Op::IfClicked: {
        const std::int64_t mx = input_.mouseX, my = input_.mouseY;
        return clicked_ && input_.mouseLeft && box.x <= mx && mx < box.x + box.width &&
               box.y <= my && my < box.y + box.height;
    }
    default: // Op::IfShown
        return true;
    }
}

} // namespace hakoniwa::player
