#include "app/ErrorLog.h"

void ErrorLog::addHandlerFailure(int number, const QString& name, const QString& message) {
    add({QDateTime::currentDateTime(), number, name, message});
}

void ErrorLog::addMessage(const QString& message) {
    add({QDateTime::currentDateTime(), 0, QString(), message});
}

void ErrorLog::add(Entry entry) {
    if (!entries_.empty()) {
        Entry& newest = entries_.front();
        if (newest.number == entry.number && newest.name == entry.name &&
            newest.message == entry.message) {
            newest.time = entry.time;
            ++newest.count;
            if (changed)
                changed();
            return;
        }
    }
    entries_.push_front(std::move(entry));
    if (entries_.size() > kLimit)
        entries_.pop_back();
    if (changed)
        changed();
}

void ErrorLog::clear() {
    entries_.clear();
    if (changed)
        changed();
}

ErrorLog& errorLog() {
    static ErrorLog log;
    return log;
}
