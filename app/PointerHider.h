#pragma once

#include <QPoint>

namespace zeb {

// Hides the pointer once auto-scroll has run 15 seconds without the pointer moving, and shows
// it again at the next movement or when auto-scroll stops. Times are date-time values in days,
// so that a clock set back is noticed and not taken for a long stillness.
class PointerHider {
public:
    static constexpr double HideDelay = 1.0 / 5760;  // 15 seconds

    PointerHider(QPoint position, double now) : lastPosition_(position), lastMove_(now) {}

    // The 200 ms check; true when the pointer is to be visible afterwards.
    bool Check(QPoint position, bool autoScrolling, double now);
    bool Visible() const { return visible_; }

private:
    bool visible_ = true;
    QPoint lastPosition_;
    double lastMove_;
};

}  // namespace zeb
