#pragma once

#include <memory>
#include <utility>
#include <vector>

// What one user action changed in the project, kept so that the action can be taken back and
// done again. While a log records, the project's sheets, scenes and items write each change
// they make into it as a small step (a cell's old and new text, a row swap, an item taken out
// and kept), so a log grows with the size of the change, not of the project.
namespace hakoniwa {

class ChangeLog {
public:
    // One recorded change.
    class Step {
    public:
        virtual ~Step() = default;
        virtual void undo() = 0;
        virtual void redo() = 0;
    };

    ChangeLog() = default;
    ChangeLog(ChangeLog&&) noexcept = default;
    ChangeLog& operator=(ChangeLog&&) noexcept = default;
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    bool empty() const { return steps_.empty(); }
    std::size_t size() const { return steps_.size(); }
    // Takes every step back, last first, or does them all again, first first. Nothing is
    // recorded meanwhile.
    void undo();
    void redo();
    // Adds the steps of a later log, so that two actions become one.
    void append(ChangeLog&& later);

    // Records into the log while it lives. A log that is already recording keeps recording:
    // an action that runs another is one change.
    class Recording {
    public:
        explicit Recording(ChangeLog& log);
        ~Recording();
        Recording(const Recording&) = delete;
        Recording& operator=(const Recording&) = delete;

    private:
        ChangeLog* previous_;
    };

    // Model code calls this for each change it makes; without a recording log it does nothing.
    static bool recording() { return current_ != nullptr; }
    static void record(std::unique_ptr<Step> step);

    // Assigns a value and records the old one (a scene's caption or memo, say).
    template <typename T> static void assign(T& field, T value);

private:
    std::vector<std::unique_ptr<Step>> steps_;
    static ChangeLog* current_;
};

template <typename T> void ChangeLog::assign(T& field, T value) {
    class Assign : public Step {
    public:
        Assign(T& field, T before, T after)
            : field_(field), before_(std::move(before)), after_(std::move(after)) {}
        void undo() override { field_ = before_; }
        void redo() override { field_ = after_; }

    private:
        T& field_;
        T before_, after_;
    };
    if (recording())
        record(std::make_unique<Assign>(field, field, value));
    field = std::move(value);
}

} // namespace hakoniwa
