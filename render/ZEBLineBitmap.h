#pragma once

namespace zeb {

// A picture the raster makes of one laid-out line; the raster gives it its pixels.
class ZEBLineBitmap {
public:
    virtual ~ZEBLineBitmap() = default;
};

}  // namespace zeb
