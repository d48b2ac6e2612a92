#pragma once

#include <string>

// What the player can do: the instructions of mtd.txt and the components of cmp.txt it knows
// by name, each with the number of arguments it takes.
namespace hakoniwa::player {

enum class Op : unsigned char {
    // instructions
    ShowImage,
    MoveImage,
    RemoveImage,
    WriteText,
    Background,
    ClearScreen,
    Assign,
    Random,
    Concatenate,
    NumberToText,
    Add,
    Subtract,
    Multiply,
    Divide,
    Remainder,
    Increase,
    Clamp,
    Compare,
    HitTest,
    EndScene,
    EndGame,
    Wait,
    WaitKey,
    WaitClick,
    WaitFrame,
    Effect,
    PlayMusic,
    StopMusic,
    KeyState,
    MousePosition,
    MouseButton,
    AskName,
    // building blocks for what most games do, in InterpreterBlocks.cpp
    ArrowMove,
    ShiftImage,
    Bounce,
    KeepOnScreen,
    MoveToward,
    PlaceRandomly,
    ShowNear,
    ImagePosition,
    ShowValue,
    CountDown,
    // components
    IfEqual,
    IfDifferent,
    IfLess,
    IfGreater,
    IfKey,
    IfHit,
    IfChance,
    Always,
    IfOffScreen,
    IfShown,
    IfClicked,
    // a row that cannot run: its fault is reported when it is reached
    Fault,
};

constexpr bool isBlockInstruction(Op op) {
    return op >= Op::ArrowMove && op <= Op::CountDown;
}
constexpr bool isBlockComponent(Op op) {
    return op >= Op::IfOffScreen && op <= Op::IfClicked;
}

struct OpInfo {
    Op op;
    int arity;
    unsigned resultMask; // bit k: argument k is a variable the op writes
};

// The op of an instruction or component name (UTF-8), or nullptr.
const OpInfo* findInstruction(const std::string& name);
const OpInfo* findComponent(const std::string& name);

} // namespace hakoniwa::player
