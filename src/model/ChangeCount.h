#pragma once

#include <cstdint>

namespace hakoniwa {

// A count that grows whenever any item sheet, or any scene's list of items, is made, copied
// or changed. What is worked out from sheets and scenes (the item boxes of the canvas) can
// tell with one comparison that nothing it depends on changed since. The model is used from
// one thread, but for that part of reading a file.
class ChangeCount {
public:
    static std::uint64_t now() { return count_; }
    static void bump() {
        if (counting_)
            ++count_;
    }

    // While one lives, the changes made on this thread are not counted. The file reader makes
    // the items of the file's second half on a second thread, apart from the project; they
    // count once the first thread adds them to the project.
    class Quiet {
    public:
        Quiet() { counting_ = false; }
        ~Quiet() { counting_ = true; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;
    };

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
    static inline thread_local bool counting_ = true;
};

} // namespace hakoniwa
