#pragma once

#include "player/runtime/Value.h"

#include <cstdint>
#include <vector>

// One declared variable: an array of elements, each with its own value and one value per
// member. Elements never written read as 0; writing past the end grows the array.
namespace hakoniwa::player {

// What all variables alive hold together, kept within the game's limits.
struct VariableUsage {
    std::int64_t values = 0;
    std::int64_t textBytes = 0;
};

class ArrayVariable {
public:
    static constexpr int kMaxElements = 1000000;

    // `usage` is shared by all variables of a game and outlives them.
    ArrayVariable(int memberCount, VariableUsage& usage)
        : slots_(memberCount + 1), usage_(&usage) {}
    ArrayVariable(ArrayVariable&& other) noexcept = default;
    ArrayVariable& operator=(ArrayVariable&&) = delete;
    ~ArrayVariable();

    int elementCount() const { return static_cast<int>(values_.size()) / slots_; }
    // slot 0 is the element's own value, slot m + 1 its member m.
    const Value& read(int element, int slot) const {
        const std::size_t at = static_cast<std::size_t>(element) * slots_ + slot;
        return at < values_.size() ? values_[at] : zero();
    }
    // Throws RowFault for an element at or past kMaxElements, and when the values or the text
    // bytes of all variables would pass the game's limits.
    void store(int element, int slot, Value value);
    void storeNumber(int element, int slot, std::int32_t number);

private:
    Value& write(int element, int slot);
    static const Value& zero();
    int slots_;
    VariableUsage* usage_;
    std::vector<Value> values_;
};

} // namespace hakoniwa::player
