#pragma once

// What a jump number names: the target list holds "命令" (0), then the K items of the
// scene, then the S scenes in tab order.
namespace hakoniwa {

struct JumpTarget {
    enum class Kind { None, Item, Scene };
    Kind kind = Kind::None;
    int index = -1; // item index in the scene, or tab index of the scene

    static JumpTarget resolve(int jumpNumber, int itemCount, int sceneCount);
};

} // namespace hakoniwa
