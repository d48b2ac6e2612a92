#pragma once

#include "player/runtime/ArrayVariable.h"
#include "player/runtime/FileResolver.h"
#include "player/runtime/Game.h"
#include "player/runtime/Program.h"
#include "player/runtime/Screen.h"
#include "player/runtime/SystemVariables.h"

#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

// Runs a prepared program frame by frame: threads of the scenes' start items, scene calls,
// variables, the screen and the waits. Frame loop and threads in Interpreter.cpp, the rows in
// InterpreterRows.cpp, reading and writing operands in InterpreterValues.cpp.
namespace hakoniwa::player {

class Interpreter {
public:
    // Rows all threads together may run in one frame; past it the frame ends and the threads
    // go on in the next, so no loop (through items, scene calls or returns) freezes the game.
    static constexpr int kRowsPerFrame = 100000;
    // What a scene call takes of the frame's rows besides its jump row: making the call, its
    // threads and its locals costs as much as running that many rows.
    static constexpr int kRowsPerCall = 10;
    static constexpr int kMaxCallDepth = 1000;

    Interpreter(Program program, SystemVariables system, FileResolver files,
                const GameOptions& options);
    ~Interpreter();

    void runFrame(const FrameInput& input, Host& host);

    const Picture& picture() const { return screen_.picture(); }
    int width() const { return width_; }
    int height() const { return height_; }
    bool finished() const { return finished_; }
    const std::string& firstSceneCaption() const { return firstScene_; }
    const std::optional<PlayError>& error() const { return error_; }
    std::string dumpVariables() const;

private:
    enum class Wait { None, Frame, Time, Key, Click, Name, Call };
    struct Call;
    struct Thread;

    // frames and threads
    void startFrame(const FrameInput& input);
    void putDeferredFirst();
    bool wakes(Thread& thread);
    void runThread(Thread& thread, int share);
    void startThreads(const std::shared_ptr<Call>& call);
    void callScene(Thread& caller, int scene);
    void endThread(Thread& thread);
    void endCall(Call& call);
    void stop(const Thread& thread, const std::string& reason);
    bool halted() const { return finished_ || error_.has_value(); }
    std::int64_t gameTime() const { return frame_ * 1000 / 60; }

    // rows
    void runRow(Thread& thread, const PreparedRow& row);
    void runInstruction(Thread& thread, const PreparedRow& row);
    void runScreen(Thread& thread, const PreparedRow& row);
    void runWaitOrSound(Thread& thread, const PreparedRow& row);
    void runInput(Thread& thread, const PreparedRow& row);
    void runBlock(Thread& thread, const PreparedRow& row); // InterpreterBlocks.cpp
    bool holdsBlock(Thread& thread, const PreparedRow& row);
    bool holds(Thread& thread, const PreparedRow& row);
    void jump(Thread& thread, const PreparedRow& row);
    std::int32_t arithmetic(Op op, std::int32_t a, std::int32_t b) const;
    bool compare(const Value& a, int how, const Value& b) const;
    std::int32_t draw(std::uint32_t below);

    // operands
    const Value& read(const Operand& operand, const Thread& thread);
    std::int32_t number(const Operand& operand, const Thread& thread);
    std::string text(const Operand& operand, const Thread& thread);
    // A constant argument's value, checked to be one of 0 .. count - 1.
    int constant(const Operand& operand, const Thread& thread, int count);
    int element(const Operand& operand, const Thread& thread);
    ArrayVariable& variable(Place place, int number, const Thread& thread);
    const Value& readSystem(int id, const Thread& thread);
    void assign(const Operand& operand, const Thread& thread, Value value);
    void assignNumber(const Operand& operand, const Thread& thread, std::int32_t number);
    void writeSystem(int id, Value value);

    Program program_;
    SystemVariables system_;
    FileResolver files_;
    Screen screen_;
    VariableUsage usage_; // of all variables below, so declared before them
    std::vector<ArrayVariable> globals_;
    std::vector<std::unique_ptr<Thread>> threads_; // in the order they started
    std::vector<std::shared_ptr<Call>> calls_;     // scene calls running, outermost first
    std::vector<Thread*> ready_;                   // threads to run in this frame, in order
    bool anyDeferred_ = false; // the last frame's budget left out a ready thread
    int rowsLeft_ = 0;         // of this frame's budget
    std::mt19937 random_;
    Host* host_ = nullptr;
    FrameInput input_;
    std::array<bool, kKeyCount> pressed_{};  // keys that went down at this frame's start
    std::array<bool, kKeyCount> previous_{}; // keys down in the frame before
    bool clicked_ = false, previousLeft_ = false, previousRight_ = false, nameTaken_ = false;
    std::int64_t frame_ = 0;
    int width_, height_;
    Value scratch_; // a value that lives in no variable (シーン番号)
    std::string firstScene_;
    bool finished_ = false;
    std::optional<PlayError> error_;
};

} // namespace hakoniwa::player
