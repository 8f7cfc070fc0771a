#include "app/PointerHider.h"

namespace zeb {

bool PointerHider::Check(QPoint position, bool autoScrolling, double now)
{
    const bool moved = position != lastPosition_;
    if (!visible_) {
        if (moved || !autoScrolling) {
            visible_ = true;
            lastPosition_ = position;
            lastMove_ = now;
        }
        return visible_;
    }
    if (!autoScrolling)
        return visible_;
    if (moved) {
        lastPosition_ = position;
        lastMove_ = now;
    } else if (now <= lastMove_) {
        lastMove_ = now;
    }
    if (now - lastMove_ > HideDelay)
        visible_ = false;
    return visible_;
}

}  // namespace zeb
