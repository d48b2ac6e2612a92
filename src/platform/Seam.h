#pragma once

#include <memory>

// Holds the implementation behind one operating-system seam: the real one, or the double a
// test installed. The program has one thread, so a plain static slot will do.
namespace hakoniwa {

template <typename Interface, typename Real> class Seam {
public:
    static Interface& current() { return *slot(); }
    // Takes ownership; nullptr goes back to the real implementation.
    static void install(std::unique_ptr<Interface> replacement) {
        slot() = replacement ? std::move(replacement) : std::make_unique<Real>();
    }

private:
    static std::unique_ptr<Interface>& slot() {
        static std::unique_ptr<Interface> held = std::make_unique<Real>();
        return held;
    }
};

} // namespace hakoniwa
