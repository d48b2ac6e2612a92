#include "platform/Pointer.h"

#include <QCursor>

namespace hakoniwa {
namespace {

class ScreenPointer : public Pointer {
public:
    QPoint position() const override { return QCursor::pos(); }
    void setPosition(const QPoint& screenPoint) override { QCursor::setPos(screenPoint); }
};

std::unique_ptr<Pointer>& installed() {
    static std::unique_ptr<Pointer> pointer = std::make_unique<ScreenPointer>();
    return pointer;
}

} // namespace

Pointer& Pointer::current() {
    return *installed();
}

void Pointer::install(std::unique_ptr<Pointer> pointer) {
    installed() = pointer ? std::move(pointer) : std::make_unique<ScreenPointer>();
}

} // namespace hakoniwa
