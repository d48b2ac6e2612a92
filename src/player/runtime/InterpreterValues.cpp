#include "player/runtime/Interpreter.h"
#include "player/runtime/InterpreterThread.h"

#include "model/NumberConversion.h"
#include "model/Utf8Text.h"
#include "player/runtime/Limits.h"
#include "player/runtime/RowFault.h"

// Reading and writing prepared operands: literals, global and local array elements and
// system variables.
namespace hakoniwa::player {

ArrayVariable& Interpreter::variable(Place place, int number, const Thread& thread) {
    return place == Place::Global ? globals_[number] : thread.call->locals[number];
}

const Value& Interpreter::read(const Operand& operand, const Thread& thread) {
    switch (operand.place) {
    case Place::Literal:
        return operand.literal;
    case Place::System:
        return readSystem(operand.variable, thread);
    default:
        return variable(operand.place, operand.variable, thread)
            .read(element(operand, thread), operand.slot);
    }
}

std::int32_t Interpreter::number(const Operand& operand, const Thread& thread) {
    const Value& value = read(operand, thread);
    return value.isText ? toNumber(value) : value.number;
}

std::string Interpreter::text(const Operand& operand, const Thread& thread) {
    return toText(read(operand, thread));
}

int Interpreter::constant(const Operand& operand, const Thread& thread, int count) {
    const std::int32_t value = number(operand, thread);
    if (value < 0 || value >= count)
        throw RowFault("定数ではありません: " + std::to_string(value));
    return value;
}

namespace {

// The element a variable's value numbers: a number 0 or more, or a text that converts to one.
int indexOf(const Value& value) {
    const std::optional<std::int32_t> index =
        value.isText ? convertNumber(value.text) : std::optional<std::int32_t>(value.number);
    if (!index || *index < 0)
        throw RowFault("添字が使えません: " + cp932ToUtf8(toText(value)));
    return *index;
}

} // namespace

int Interpreter::element(const Operand& operand, const Thread& thread) {
    switch (operand.indexPlace) {
    case Place::Literal:
        return operand.index;
    case Place::System:
        return indexOf(readSystem(operand.index, thread));
    default:
        return indexOf(variable(operand.indexPlace, operand.index, thread).read(0, 0));
    }
}

const Value& Interpreter::readSystem(int id, const Thread& thread) {
    if (system_.kind(id) != SystemKind::SceneNumber)
        return system_.value(id);
    scratch_.setNumber(thread.call->scene);
    return scratch_;
}

void Interpreter::assign(const Operand& operand, const Thread& thread, Value value) {
    if (operand.place == Place::System) {
        writeSystem(operand.variable, std::move(value));
        return;
    }
    variable(operand.place, operand.variable, thread)
        .store(element(operand, thread), operand.slot, std::move(value));
}

void Interpreter::assignNumber(const Operand& operand, const Thread& thread, std::int32_t number) {
    if (operand.place == Place::System) {
        writeSystem(operand.variable, Value::ofNumber(number));
        return;
    }
    variable(operand.place, operand.variable, thread)
        .storeNumber(element(operand, thread), operand.slot, number);
}

void Interpreter::writeSystem(int id, Value value) {
    limits::checkTextLength(value.text);
    const SystemKind kind = system_.kind(id);
    if (kind == SystemKind::Width || kind == SystemKind::Height) {
        const std::int32_t size = toNumber(value);
        if (size < 1 || size > 4096)
            throw RowFault("画面の大きさが使えません: " + std::to_string(size));
        (kind == SystemKind::Width ? width_ : height_) = size;
        value = Value::ofNumber(size);
    }
    system_.value(id) = std::move(value);
}

} // namespace hakoniwa::player
