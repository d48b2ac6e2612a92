#include "player/runtime/ArrayVariable.h"

#include "player/runtime/Limits.h"
#include "player/runtime/RowFault.h"

namespace hakoniwa::player {

ArrayVariable::~ArrayVariable() {
    usage_->values -= static_cast<std::int64_t>(values_.size());
    for (const Value& value : values_)
        usage_->textBytes -= static_cast<std::int64_t>(value.text.size());
}

Value& ArrayVariable::write(int element, int slot) {
    const std::size_t at = static_cast<std::size_t>(element) * slots_ + slot;
    if (at >= values_.size()) {
        if (element >= kMaxElements)
            throw RowFault("添字が大きすぎます: " + std::to_string(element));
        const std::size_t size = static_cast<std::size_t>(element + 1) * slots_;
        const auto added = static_cast<std::int64_t>(size - values_.size());
        if (usage_->values + added > limits::kVariableValues)
            throw RowFault(limits::tooMuch("変数の値が多すぎます", limits::kVariableValues, "個"));
        values_.resize(size);
        usage_->values += added;
    }
    return values_[at];
}

void ArrayVariable::store(int element, int slot, Value value) {
    limits::checkTextLength(value.text);
    Value& stored = write(element, slot);
    const std::int64_t bytes = usage_->textBytes - static_cast<std::int64_t>(stored.text.size()) +
                               static_cast<std::int64_t>(value.text.size());
    if (bytes > limits::kVariableTextBytes)
        throw RowFault(
            limits::tooMuch("変数の文字列が多すぎます", limits::kVariableTextBytes, "バイト"));
    usage_->textBytes = bytes;
    stored = std::move(value);
}

void ArrayVariable::storeNumber(int element, int slot, std::int32_t number) {
    Value& stored = write(element, slot);
    usage_->textBytes -= static_cast<std::int64_t>(stored.text.size());
    stored.setNumber(number);
}

const Value& ArrayVariable::zero() {
    static const Value value;
    return value;
}

} // namespace hakoniwa::player
