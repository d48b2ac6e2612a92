#include "model/JumpTarget.h"

namespace hakoniwa {

JumpTarget JumpTarget::resolve(int jumpNumber, int itemCount, int sceneCount) {
    if (jumpNumber <= 0)
        return {};
    if (jumpNumber <= itemCount)
        return {Kind::Item, jumpNumber - 1};
    const int tab = jumpNumber - itemCount - 1;
    if (tab < sceneCount)
        return {Kind::Scene, tab};
    return {};
}

} // namespace hakoniwa
