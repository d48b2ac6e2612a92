#pragma once

#include <cstdint>
#include <string>

// What a game may hold at most. A row that would pass a limit stops the game with its place,
// as any other fault does, instead of taking the machine's memory.
namespace hakoniwa::player::limits {

// Values held by all variables alive (each element counts its own value and one per member).
constexpr std::int64_t kVariableValues = 2'000'000;
// Bytes of the texts held by all variables alive.
constexpr std::int64_t kVariableTextBytes = 64 << 20;
// Bytes of one text.
constexpr std::int64_t kTextLength = 1'000'000;
// Images and texts on the screen at one time, and the bytes of those texts.
constexpr std::int64_t kScreenImages = 10'000;
constexpr std::int64_t kScreenTexts = 10'000;
constexpr std::int64_t kScreenTextBytes = 4 << 20;

// "<what>が多すぎます: 上限 <limit> <unit>" and the like, as a RowFault's reason.
std::string tooMuch(const std::string& what, std::int64_t limit, const std::string& unit);

// Throws RowFault when a text is longer than kTextLength.
void checkTextLength(const std::string& text);

} // namespace hakoniwa::player::limits
