#pragma once

#include <QPoint>
#include <memory>

// The mouse pointer's screen position, read and set. Tests install a double.
namespace hakoniwa {

class Pointer {
public:
    virtual ~Pointer() = default;
    virtual QPoint position() const = 0;
    virtual void setPosition(const QPoint& screenPoint) = 0;

    // The pointer in use: the real one unless a test installed another.
    static Pointer& current();
    // Takes ownership; nullptr goes back to the real pointer.
    static void install(std::unique_ptr<Pointer> pointer);
};

} // namespace hakoniwa
