#pragma once

#include "player/runtime/Interpreter.h"

// The interpreter's scene calls and threads, shared by its source files.
namespace hakoniwa::player {

// One call of a scene: its local variables and the thread waiting for it to end.
struct Interpreter::Call {
    int scene = 0;
    std::vector<ArrayVariable> locals;
    Thread* caller = nullptr; // nullptr for the first scene's run
    std::shared_ptr<Call> parent;
    int depth = 0;
    std::vector<Thread*> threads; // its start items' threads, alive until the frame ends
    int liveThreads = 0;
    bool ended = false;
};

// One start item's run: where it is and what it waits for.
struct Interpreter::Thread {
    std::shared_ptr<Call> call;
    int item = 0;
    const std::vector<PreparedRow>* rows = nullptr; // the item's rows
    std::size_t pc = 0;                             // the next row to run
    Wait wait = Wait::None;
    std::int64_t wakeTime = 0;       // Wait::Time
    const Operand* result = nullptr; // Wait::Key, Wait::Name: where the answer goes
    std::int64_t askedFrame = 0;     // Wait::Name
    bool ended = false;
    bool deferred = false; // ready, but the last frame's budget was spent before its turn
};

} // namespace hakoniwa::player
