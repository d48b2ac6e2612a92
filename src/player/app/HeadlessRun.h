#pragma once

#include "player/app/CommandLine.h"
#include "player/runtime/Game.h"

#include <ostream>

// A run without a window: exactly the given number of frames of game time, as fast as the
// machine goes, with input from a key script, no sound; then the last frame and the
// variables are saved. Exit codes as the command line says: 0, 1 (the game stopped with an
// error), 2 (a file could not be read or written).
namespace hakoniwa::player {

int runHeadless(const CommandLine& line, const GameOptions& options, std::ostream& out,
                std::ostream& err);

} // namespace hakoniwa::player
