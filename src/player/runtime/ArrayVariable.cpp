#include "player/runtime/ArrayVariable.h"

#include "player/runtime/RowFault.h"

namespace hakoniwa::player {

Value& ArrayVariable::write(int element, int slot) {
    const std::size_t at = static_cast<std::size_t>(element) * slots_ + slot;
    if (at >= values_.size()) {
        if (element >= kMaxElements)
            throw RowFault("添字が大きすぎます: " + std::to_string(element));
        values_.resize(static_cast<std::size_t>(element + 1) * slots_);
    }
    return values_[at];
}

const Value& ArrayVariable::zero() {
    static const Value value;
    return value;
}

} // namespace hakoniwa::player
