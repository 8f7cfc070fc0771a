#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "render/ZEBRenderHost.h"
#include "render/ZEBRenderParag.h"
#include "render/ZEBViewSurface.h"
#include "render/ui/TZEBScroll.h"
#include "settings/ZEBOptions.h"

namespace zeb {

// The reader view as the engine and the scrolling see it: its size, its paints from the
// laid-out lines, and shifting what it shows. Moves come faster than a screen shows frames
// (auto-scroll at 500 pixels a second, animated moves): what they ask for within one frame is
// shown together, once a frame, and the first move after a quiet frame at once.
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
    // Shows what is pending now when a frame's time has passed since the last one, else at
    // the next frame.
    void ShowSoon();
    void Show();

    // Shown by the next frame: the pixels to shift, or the whole view.
    int32_t pendingShift_ = 0;
    bool pendingAll_ = false;
    QElapsedTimer sinceFrame_;
    QTimer nextFrame_;

    TZEBScroll& view_;
    const ZEBOptions& options_;
    ZEBRenderParag* engine_ = nullptr;
};

}  // namespace zeb
