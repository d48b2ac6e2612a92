#pragma once

#include "player/runtime/Game.h"

#include <QImage>
#include <QStringList>

// What the screen shows when the game stopped with an error: the last frame, dimmed, with a
// panel naming the scene, the item, the row and the reason.
namespace hakoniwa::player {

// The panel's lines, in the user's terms (scene and item decoded from code page 932).
QStringList errorOverlayLines(const PlayError& error);

// Paints the panel over `frame`, which keeps its size.
void paintErrorOverlay(QImage& frame, const PlayError& error);

} // namespace hakoniwa::player
