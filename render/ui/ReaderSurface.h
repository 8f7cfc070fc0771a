#pragma once

#include "render/ZEBRenderHost.h"
#include "render/ZEBRenderParag.h"
#include "render/ZEBViewSurface.h"
#include "render/ui/TZEBScroll.h"
#include "settings/ZEBOptions.h"

namespace zeb {

// The reader view as the engine and the scrolling see it: its size, its paints from the
// laid-out lines, and shifting what it shows.
class ReaderSurface : public ZEBRenderHost, public ZEBViewSurface {
public:
    ReaderSurface(TZEBScroll& view, const ZEBOptions& options);

    // The engine is made with this surface as its host, so it is handed over afterwards.
    void SetEngine(ZEBRenderParag* engine) { engine_ = engine; }

    ViewSize ViewSizeNow() const override;
    void RepaintView() override;
    void PositionChanged() override;

    void ShiftAndPaint(int32_t dy) override;
    void PaintRows(ViewRows rows) override;
    void RepaintAll() override;

private:
    void Paint(QPainter& painter, const QRect& rect, bool full);

    TZEBScroll& view_;
    const ZEBOptions& options_;
    ZEBRenderParag* engine_ = nullptr;
};

}  // namespace zeb
