#pragma once

#include <QDateTime>
#include <QString>
#include <deque>
#include <functional>

// The failures of this run, newest first, so that a person can see what failed and when
// after the caption has moved on. A failure that repeats the newest one is counted on it
// instead of filling the list (a handler that fails on every pointer move).
class ErrorLog {
public:
    struct Entry {
        QDateTime time; // of the latest occurrence
        int number = 0; // the handler's number; 0 for a failure without one
        QString name;   // the handler's qualified name; empty without a number
        QString message;
        int count = 1;
    };

    // Older entries beyond this many are dropped.
    static constexpr std::size_t kLimit = 500;

    void addHandlerFailure(int number, const QString& name, const QString& message);
    void addMessage(const QString& message);
    const std::deque<Entry>& entries() const { return entries_; }
    void clear();

    // Called after every change of the list; the history window listens here.
    std::function<void()> changed;

private:
    void add(Entry entry);

    std::deque<Entry> entries_;
};

// The log of the running program.
ErrorLog& errorLog();
