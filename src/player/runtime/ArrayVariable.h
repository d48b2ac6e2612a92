#pragma once

#include "player/runtime/Value.h"

#include <vector>

// One declared variable: an array of elements, each with its own value and one value per
// member. Elements never written read as 0; writing past the end grows the array.
namespace hakoniwa::player {

class ArrayVariable {
public:
    static constexpr int kMaxElements = 1000000;

    explicit ArrayVariable(int memberCount) : slots_(memberCount + 1) {}

    int elementCount() const { return static_cast<int>(values_.size()) / slots_; }
    // slot 0 is the element's own value, slot m + 1 its member m.
    const Value& read(int element, int slot) const {
        const std::size_t at = static_cast<std::size_t>(element) * slots_ + slot;
        return at < values_.size() ? values_[at] : zero();
    }
    // Throws RowFault for an element at or past kMaxElements.
    Value& write(int element, int slot);

private:
    static const Value& zero();
    int slots_;
    std::vector<Value> values_;
};

} // namespace hakoniwa::player
