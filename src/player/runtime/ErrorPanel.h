#pragma once

#include "player/runtime/Game.h"

#include <string>
#include <vector>

namespace hakoniwa::player {

// The lines of the panel a stopped game shows over its last frame (UTF-8): the title, then
// the scene, the item and its row when known, then the reason. The desktop window and the web
// page show the same lines.
std::vector<std::string> errorPanelLines(const PlayError& error);

} // namespace hakoniwa::player
