#pragma once

#include <cstdint>

namespace hakoniwa {

// A count that grows whenever any item sheet, or any scene's list of items, is made, copied
// or changed. What is worked out from sheets and scenes (the item boxes of the canvas) can
// tell with one comparison that nothing it depends on changed since. The model is used from
// one thread.
class ChangeCount {
public:
    static std::uint64_t now() { return count_; }
    static void bump() { ++count_; }

    // A member that counts the making, copying and assigning of the object it is part of.
    struct Member {
        Member() { bump(); }
        Member(const Member&) { bump(); }
        Member& operator=(const Member&) {
            bump();
            return *this;
        }
    };

private:
    static inline std::uint64_t count_ = 0;
};

} // namespace hakoniwa
