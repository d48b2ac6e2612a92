#include "player/runtime/Interpreter.h"
#include "player/runtime/InterpreterThread.h"

#include "model/Utf8Text.h"
#include "player/runtime/RowFault.h"

#include <algorithm>

// What each prepared row does. Instructions go on with the next row unless they wait; a jump
// row jumps when its component holds.
namespace hakoniwa::player {
namespace {

constexpr int kComparisons = 4; // 等しい 等しくない より小さい より大きい
constexpr int kColours = 5;
constexpr int kBackgrounds = 5;

std::int32_t wrap(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

int volume(std::int32_t value) {
    return std::clamp(value, 0, 100);
}

} // namespace

void Interpreter::runRow(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    switch (row.op) {
    case Op::Assign:
        assign(a[0], thread, read(a[1], thread));
        break;
    case Op::Add:
    case Op::Subtract:
    case Op::Multiply:
    case Op::Divide:
    case Op::Remainder:
        assignNumber(a[0], thread, arithmetic(row.op, number(a[1], thread), number(a[2], thread)));
        break;
    case Op::Increase:
        assignNumber(a[0], thread, wrap(std::int64_t{number(a[0], thread)} + number(a[1], thread)));
        break;
    case Op::Compare: {
        const int how = constant(a[2], thread, kComparisons);
        assignNumber(a[0], thread, compare(read(a[1], thread), how, read(a[3], thread)) ? 1 : 0);
        break;
    }
    case Op::Fault:
        throw row.faults.front();
    default:
        if (row.jump != JumpKind::None) {
            if (holds(thread, row))
                jump(thread, row);
            else
                ++thread.pc;
            return;
        }
        runInstruction(thread, row);
        return;
    }
    ++thread.pc;
}

void Interpreter::runInstruction(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    switch (row.op) {
    case Op::Random: {
        const std::int32_t upper = number(a[1], thread);
        if (upper < 1)
            throw RowFault("乱数の上限は 1 以上にしてください: " + std::to_string(upper));
        assignNumber(a[0], thread, draw(static_cast<std::uint32_t>(upper)));
        break;
    }
    case Op::Concatenate:
        assign(a[0], thread, Value::ofText(text(a[1], thread) + text(a[2], thread)));
        break;
    case Op::NumberToText:
        assign(a[0], thread, Value::ofText(std::to_string(number(a[1], thread))));
        break;
    case Op::Clamp: {
        const std::int32_t low = number(a[1], thread), high = number(a[2], thread);
        if (low > high)
            throw RowFault("最小が最大より大きい: " + std::to_string(low) + " > " +
                           std::to_string(high));
        assignNumber(a[0], thread, std::clamp(number(a[0], thread), low, high));
        break;
    }
    case Op::HitTest:
        assignNumber(a[0], thread,
                     screen_.overlaps(number(a[1], thread), number(a[2], thread)) ? 1 : 0);
        break;
    case Op::EndScene:
        endCall(*thread.call);
        return;
    case Op::EndGame:
        if (constant(a[0], thread, 2) == 0 || host_->confirmQuit()) {
            finished_ = true;
            return;
        }
        break;
    case Op::ShowImage:
    case Op::MoveImage:
    case Op::RemoveImage:
    case Op::WriteText:
    case Op::Background:
    case Op::ClearScreen:
        runScreen(thread, row);
        break;
    case Op::KeyState:
    case Op::MousePosition:
    case Op::MouseButton:
        runInput(thread, row);
        break;
    default:
        if (isBlockInstruction(row.op))
            runBlock(thread, row);
        else
            runWaitOrSound(thread, row);
        break;
    }
    ++thread.pc;
}

void Interpreter::runScreen(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    switch (row.op) {
    case Op::ShowImage:
        screen_.showImage(number(a[0], thread), files_.resolve(text(a[1], thread)),
                          number(a[2], thread), number(a[3], thread), *host_);
        break;
    case Op::MoveImage:
        screen_.moveImage(number(a[0], thread), number(a[1], thread), number(a[2], thread));
        break;
    case Op::RemoveImage:
        screen_.removeImage(number(a[0], thread));
        break;
    case Op::WriteText:
        screen_.writeText(text(a[0], thread), number(a[1], thread), number(a[2], thread),
                          constant(a[3], thread, kColours));
        break;
    case Op::Background:
        screen_.setBackground(constant(a[0], thread, kBackgrounds));
        break;
    default:
        screen_.clear();
        break;
    }
}

void Interpreter::runInput(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    switch (row.op) {
    case Op::KeyState:
        assignNumber(a[0], thread, input_.keysDown[constant(a[1], thread, kKeyCount)] ? 1 : 0);
        break;
    case Op::MousePosition:
        assignNumber(a[0], thread, input_.mouseX);
        assignNumber(a[1], thread, input_.mouseY);
        break;
    default: {
        const bool down = constant(a[1], thread, 2) == 0 ? input_.mouseLeft : input_.mouseRight;
        assignNumber(a[0], thread, down ? 1 : 0);
        break;
    }
    }
}

void Interpreter::runWaitOrSound(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    switch (row.op) {
    case Op::Wait: {
        const std::int32_t ms = number(a[0], thread);
        thread.wait = ms > 0 ? Wait::Time : Wait::Frame;
        thread.wakeTime = gameTime() + ms;
        break;
    }
    case Op::WaitKey:
        thread.wait = Wait::Key;
        thread.result = &a[0];
        break;
    case Op::WaitClick:
        thread.wait = Wait::Click;
        break;
    case Op::WaitFrame:
        thread.wait = Wait::Frame;
        break;
    case Op::AskName:
        host_->askName(text(a[1], thread));
        thread.wait = Wait::Name;
        thread.result = &a[0];
        thread.askedFrame = frame_;
        break;
    case Op::Effect:
        host_->playEffect(files_.resolve(text(a[0], thread)), volume(number(a[1], thread)));
        break;
    case Op::PlayMusic:
        host_->playMusic(files_.resolve(text(a[0], thread)), volume(number(a[1], thread)));
        break;
    case Op::StopMusic:
        host_->stopMusic(constant(a[0], thread, 2) == 1);
        break;
    default:
        throw RowFault("実行できない命令");
    }
}

bool Interpreter::holds(Thread& thread, const PreparedRow& row) {
    const auto& a = row.args;
    switch (row.op) {
    case Op::IfEqual:
        return sameValue(read(a[0], thread), read(a[1], thread));
    case Op::IfDifferent:
        return !sameValue(read(a[0], thread), read(a[1], thread));
    case Op::IfLess:
        return number(a[0], thread) < number(a[1], thread);
    case Op::IfGreater:
        return number(a[0], thread) > number(a[1], thread);
    case Op::IfKey:
        return input_.keysDown[constant(a[0], thread, kKeyCount)];
    case Op::IfHit:
        return screen_.overlaps(number(a[0], thread), number(a[1], thread));
    case Op::IfChance:
        return draw(100) < number(a[0], thread);
    default:
        return isBlockComponent(row.op) ? holdsBlock(thread, row) : true;
    }
}

void Interpreter::jump(Thread& thread, const PreparedRow& row) {
    switch (row.jump) {
    case JumpKind::Item:
        thread.item = row.target;
        thread.rows = &program_.scenes[thread.call->scene].items[row.target].rows;
        thread.pc = 0;
        return;
    case JumpKind::Scene:
        callScene(thread, row.target);
        ++thread.pc;
        return;
    case JumpKind::Unset:
        throw RowFault(unsetJumpReason());
    default:
        throw RowFault(jumpNowhereReason(row.target));
    }
}

std::int32_t Interpreter::arithmetic(Op op, std::int32_t a, std::int32_t b) const {
    switch (op) {
    case Op::Add:
        return wrap(std::int64_t{a} + b);
    case Op::Subtract:
        return wrap(std::int64_t{a} - b);
    case Op::Multiply:
        return wrap(std::int64_t{a} * b);
    default:
        break;
    }
    if (b == 0)
        throw RowFault("0 で割ることはできません");
    if (b == -1) // the one quotient that does not fit wraps around
        return op == Op::Divide ? wrap(-std::int64_t{a}) : 0;
    return op == Op::Divide ? a / b : a % b;
}

bool Interpreter::compare(const Value& a, int how, const Value& b) const {
    switch (how) {
    case 0:
        return sameValue(a, b);
    case 1:
        return !sameValue(a, b);
    case 2:
        return toNumber(a) < toNumber(b);
    default:
        return toNumber(a) > toNumber(b);
    }
}

std::int32_t Interpreter::draw(std::uint32_t below) {
    return static_cast<std::int32_t>((std::uint64_t{random_()} * below) >> 32);
}

} // namespace hakoniwa::player
