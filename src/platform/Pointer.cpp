#include "platform/Pointer.h"

#include "platform/Seam.h"

#include <QCursor>

namespace hakoniwa {
namespace {

class ScreenPointer : public Pointer {
public:
    QPoint position() const override { return QCursor::pos(); }
    void setPosition(const QPoint& screenPoint) override { QCursor::setPos(screenPoint); }
};

} // namespace

Pointer& Pointer::current() {
    return Seam<Pointer, ScreenPointer>::current();
}

void Pointer::install(std::unique_ptr<Pointer> pointer) {
    Seam<Pointer, ScreenPointer>::install(std::move(pointer));
}

} // namespace hakoniwa
