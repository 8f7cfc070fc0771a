#pragma once

#include <cstdint>

#include "settings/StoredWindowState.h"

namespace zeb {

struct WindowBounds {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    bool operator==(const WindowBounds&) const = default;
};

// Where the window opens: the stored bounds kept on the screen (a negative corner goes to 0, a
// corner past the screen to its edge), no smaller than 640 x 480, and no larger than what is
// left of the screen right of and below the corner, unless that is less than 640 x 480.
WindowBounds PlacedBounds(const StoredWindowState& stored, ScreenSize screen);

}  // namespace zeb
