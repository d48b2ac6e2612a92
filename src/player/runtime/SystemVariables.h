#pragma once

#include "player/runtime/Value.h"

#include <string>
#include <vector>

// The variables of sysHen.txt, one per line, and their values. The player keeps those it
// knows by name up to date; a name it does not know is a free variable.
namespace hakoniwa::player {

enum class SystemKind {
    Width,
    Height,
    Time,
    Frames,
    MouseX,
    MouseY,
    LastKey,
    Score,
    Lives,
    SceneNumber,
    Free,
};

class SystemVariables {
public:
    // `lines` are the lines of sysHen.txt (code page 932).
    explicit SystemVariables(const std::vector<std::string>& lines);

    int count() const { return static_cast<int>(names_.size()); }
    // The variable whose whole line the cell is, or -1.
    int findLine(const std::string& cell) const;
    // The variable of that name, or -1.
    int findName(const std::string& name) const;
    // The variable of that kind, or -1 when sysHen.txt has none.
    int find(SystemKind kind) const;

    const std::string& name(int id) const { return names_[id]; }
    SystemKind kind(int id) const { return kinds_[id]; }
    // The game may write only the screen size and the free variables.
    bool writable(int id) const;

    Value& value(int id) { return values_[id]; }
    const Value& value(int id) const { return values_[id]; }
    // Sets the variable of that kind, when sysHen.txt has one.
    void set(SystemKind kind, std::int32_t number);

private:
    std::vector<std::string> lines_, names_;
    std::vector<SystemKind> kinds_;
    std::vector<Value> values_;
};

} // namespace hakoniwa::player
