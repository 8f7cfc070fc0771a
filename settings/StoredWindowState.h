#pragma once

#include <cstdint>

namespace zeb {

// WindowMode values.
constexpr int32_t WindowFullScreen = 0;
constexpr int32_t WindowMaximized = 1;
constexpr int32_t WindowNormal = 2;

// The main window's placement as saved between runs.
struct StoredWindowState {
    int32_t WindowMode = WindowFullScreen;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 640;
    int32_t Height = 480;

    bool operator==(const StoredWindowState&) const = default;
};

struct ScreenSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

}  // namespace zeb
