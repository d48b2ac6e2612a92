#include "model/ChangeLog.h"

namespace hakoniwa {

ChangeLog* ChangeLog::current_ = nullptr;

namespace {

// Replaying a log changes the project through the same calls that recorded it; those calls
// must not record again.
class Quiet {
public:
    explicit Quiet(ChangeLog*& current) : current_(current), previous_(current) {
        current_ = nullptr;
    }
    ~Quiet() { current_ = previous_; }

private:
    ChangeLog*& current_;
    ChangeLog* previous_;
};

} // namespace

void ChangeLog::undo() {
    const Quiet quiet(current_);
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step)
        (*step)->undo();
}

void ChangeLog::redo() {
    const Quiet quiet(current_);
    for (auto& step : steps_)
        step->redo();
}

void ChangeLog::append(ChangeLog&& later) {
    for (auto& step : later.steps_)
        steps_.push_back(std::move(step));
    later.steps_.clear();
}

ChangeLog::Recording::Recording(ChangeLog& log) : previous_(current_) {
    if (!current_)
        current_ = &log;
}

ChangeLog::Recording::~Recording() {
    current_ = previous_;
}

void ChangeLog::record(std::unique_ptr<Step> step) {
    if (current_)
        current_->steps_.push_back(std::move(step));
}

} // namespace hakoniwa
