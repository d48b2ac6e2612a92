#include "player/runtime/Interpreter.h"
#include "player/runtime/InterpreterThread.h"

#include "model/Utf8Text.h"
#include "player/runtime/RowFault.h"

#include <algorithm>

namespace hakoniwa::player {

Interpreter::Interpreter(Program program, SystemVariables system, FileResolver files,
                         const GameOptions& options)
    : program_(std::move(program)), system_(std::move(system)), files_(std::move(files)),
      random_(options.seed), width_(options.width), height_(options.height) {
    system_.set(SystemKind::Width, width_);
    system_.set(SystemKind::Height, height_);
    if (program_.scenes.empty()) {
        finished_ = true;
        return;
    }
    firstScene_ = program_.scenes[0].caption;
    for (const VariableLayout& layout : program_.scenes[0].variables)
        globals_.emplace_back(static_cast<int>(layout.members.size()), usage_);
    auto root = std::make_shared<Call>();
    calls_.push_back(root);
    startThreads(root);
    if (root->liveThreads == 0)
        finished_ = true;
}

Interpreter::~Interpreter() = default;

void Interpreter::runFrame(const FrameInput& input, Host& host) {
    if (halted())
        return;
    host_ = &host;
    startFrame(input);
    putDeferredFirst();
    rowsLeft_ = kRowsPerFrame;
    // Each thread's turn is its share of the rows left, so that every thread runs in a frame.
    std::size_t i = 0;
    for (; i < ready_.size() && rowsLeft_ > 0 && !halted(); ++i)
        if (!ready_[i]->ended && ready_[i]->wait == Wait::None)
            runThread(*ready_[i],
                      std::max<int>(1, rowsLeft_ / static_cast<int>(ready_.size() - i)));
    // The budget is spent: who did not get a turn goes first in the next frame.
    for (; i < ready_.size(); ++i)
        if (!ready_[i]->ended && ready_[i]->wait == Wait::None)
            anyDeferred_ = ready_[i]->deferred = true;
    ready_.clear();
    std::erase_if(threads_, [](const std::unique_ptr<Thread>& t) {
        if (t->ended)
            std::erase(t->call->threads, t.get());
        return t->ended;
    });
    if (threads_.empty())
        finished_ = true;
    ++frame_;
    host_ = nullptr;
}

void Interpreter::startFrame(const FrameInput& input) {
    input_ = input;
    int lastKey = -1;
    for (int k = 0; k < kKeyCount; ++k) {
        pressed_[k] = input.keysDown[k] && !previous_[k];
        if (pressed_[k] && lastKey < 0)
            lastKey = k;
    }
    previous_ = input.keysDown;
    clicked_ = (input.mouseLeft && !previousLeft_) || (input.mouseRight && !previousRight_);
    previousLeft_ = input.mouseLeft;
    previousRight_ = input.mouseRight;
    nameTaken_ = false;
    if (lastKey >= 0)
        system_.set(SystemKind::LastKey, lastKey);
    system_.set(SystemKind::Time, static_cast<std::int32_t>(gameTime()));
    system_.set(SystemKind::Frames, static_cast<std::int32_t>(frame_));
    system_.set(SystemKind::MouseX, input.mouseX);
    system_.set(SystemKind::MouseY, input.mouseY);
    for (const auto& thread : threads_) {
        try {
            if (!thread->ended && wakes(*thread))
                ready_.push_back(thread.get());
        } catch (const RowFault& fault) {
            --thread->pc; // the answer belongs to the waiting row, the one before
            stop(*thread, fault.what());
            return;
        }
    }
}

// Threads left out by the last frame's budget run before those that had their turn, so that a
// busy thread cannot keep the others from running.
void Interpreter::putDeferredFirst() {
    if (!anyDeferred_)
        return;
    std::stable_partition(ready_.begin(), ready_.end(),
                          [](const Thread* t) { return t->deferred; });
    for (Thread* thread : ready_)
        thread->deferred = false;
    anyDeferred_ = false;
}

// Whether a waiting thread goes on in this frame; a key or name it waited for is stored.
bool Interpreter::wakes(Thread& thread) {
    bool wakes = false;
    switch (thread.wait) {
    case Wait::None:
    case Wait::Frame:
        wakes = true;
        break;
    case Wait::Time:
        wakes = gameTime() >= thread.wakeTime;
        break;
    case Wait::Key: {
        const auto key = std::find(pressed_.begin(), pressed_.end(), true);
        wakes = key != pressed_.end();
        if (wakes)
            assignNumber(*thread.result, thread, static_cast<int>(key - pressed_.begin()));
        break;
    }
    case Wait::Click:
        wakes = clicked_;
        break;
    case Wait::Name:
        wakes = !nameTaken_ && input_.nameEntered && thread.askedFrame < frame_;
        if (wakes) {
            nameTaken_ = true;
            assign(*thread.result, thread, Value::ofText(*input_.nameEntered));
        }
        break;
    case Wait::Call:
        break;
    }
    if (wakes)
        thread.wait = Wait::None;
    return wakes;
}

// Runs the thread until it waits or ends, or has run its share of the frame's rows (it then
// goes on in the next frame where it stopped).
void Interpreter::runThread(Thread& thread, int share) {
    try {
        while (thread.wait == Wait::None && !thread.ended && share > 0) {
            if (thread.pc >= thread.rows->size()) {
                endThread(thread);
                return;
            }
            --share;
            --rowsLeft_;
            runRow(thread, (*thread.rows)[thread.pc]);
            if (halted())
                return;
        }
    } catch (const RowFault& fault) {
        stop(thread, fault.what());
    } catch (const std::bad_alloc&) {
        stop(thread, "メモリが足りません");
    }
}

void Interpreter::startThreads(const std::shared_ptr<Call>& call) {
    const SceneProgram& scene = program_.scenes[call->scene];
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (!scene.items[i].start)
            continue;
        auto thread = std::make_unique<Thread>();
        thread->call = call;
        thread->item = static_cast<int>(i);
        thread->rows = &scene.items[i].rows;
        ++call->liveThreads;
        call->threads.push_back(thread.get());
        ready_.push_back(thread.get());
        threads_.push_back(std::move(thread));
    }
}

void Interpreter::callScene(Thread& caller, int scene) {
    if (caller.call->depth >= kMaxCallDepth)
        throw RowFault("シーンの呼び出しが深すぎます");
    rowsLeft_ -= kRowsPerCall;
    auto call = std::make_shared<Call>();
    call->scene = scene;
    call->caller = &caller;
    call->parent = caller.call;
    call->depth = caller.call->depth + 1;
    if (scene > 0)
        for (const VariableLayout& layout : program_.scenes[scene].variables)
            call->locals.emplace_back(static_cast<int>(layout.members.size()), usage_);
    startThreads(call);
    if (call->liveThreads == 0)
        return; // nothing to run: the caller goes straight on
    calls_.push_back(call);
    caller.wait = Wait::Call;
}

void Interpreter::endThread(Thread& thread) {
    thread.ended = true;
    Call& call = *thread.call;
    if (--call.liveThreads == 0 && !call.ended)
        endCall(call);
}

// Every thread of the call and of the calls under it stops; the caller goes on.
void Interpreter::endCall(Call& call) {
    call.ended = true;
    // Only the calls running are looked at: threads that ended earlier in a busy frame are many.
    std::erase_if(calls_, [&](const std::shared_ptr<Call>& c) {
        for (const Call* p = c.get(); p; p = p->parent.get()) {
            if (p != &call)
                continue;
            for (Thread* thread : c->threads)
                thread->ended = true;
            return true;
        }
        return false;
    });
    for (Thread* thread : call.threads)
        thread->ended = true;
    if (!call.caller) {
        finished_ = true;
        return;
    }
    call.caller->wait = Wait::None;
    ready_.push_back(call.caller);
}

void Interpreter::stop(const Thread& thread, const std::string& reason) {
    const SceneProgram& scene = program_.scenes[thread.call->scene];
    const int sheetRow = thread.pc < thread.rows->size() ? (*thread.rows)[thread.pc].sheetRow : 0;
    error_ = PlayError{scene.caption, scene.items[thread.item].name, sheetRow - 1, reason};
}

} // namespace hakoniwa::player
