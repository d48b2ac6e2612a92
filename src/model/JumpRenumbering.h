#pragma once

#include "model/Scene.h"

namespace hakoniwa {

// Keeps the scene calls of a scene naming the same scenes after an item was appended to it.
// Jump numbers count the scene's items first and the scenes after them, so a new item
// pushes every scene number up by one: with n items now (the new one included), every jump
// number v of a command row with v >= n becomes v + 1. Item jumps, instruction rows,
// negative numbers, texts that are not numbers and the largest int (which has no successor)
// stay as they are.
void renumberJumpsAfterItemAdded(Scene& scene);

} // namespace hakoniwa
