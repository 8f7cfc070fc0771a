#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "render/RenderMetrics.h"
#include "render/ZEBLineBitmap.h"
#include "render/ZEBMeasurer.h"

namespace zeb {

// A word as the raster draws it.
struct ZEBRenderQuenueWord {
    int32_t Width = 0;
    int32_t X = 0;
    std::u16string Text;
    // The characters [HighlightFrom, HighlightTo) show a phrase found.
    int32_t HighlightFrom = 0;
    int32_t HighlightTo = 0;
};

// The work of drawing one line, done a small step at a time. It holds copies of everything
// it needs, so the line may go away while it waits.
class ZEBRenderQuenue {
public:
    static constexpr int Finished = 5;  // the last step state

    int StepState = 0;  // 0 .. Finished
    std::unique_ptr<ZEBLineBitmap> Result;
    std::unique_ptr<ZEBLineBitmap> Enlarged;
    std::unique_ptr<ZEBLineBitmap> Reduced;
    bool Cancelled = false;
    std::shared_ptr<const ZEBMeasurer> Canvas;
    RenderMetrics Metrics;  // factor, view width, maximum character width, flags, colours
    int32_t LineHeight = 0;
    int32_t TextTop = 0;
    int32_t StepCounter = 0;
    std::vector<ZEBRenderQuenueWord> Words;
    // The drawing cursor.
    size_t CursorWord = 0;
    size_t CursorChar = 0;
    int32_t CursorX = 0;  // enlarged pixels
    // Where highlighted characters were drawn: spans of enlarged x, shown inverted.
    std::vector<std::pair<int32_t, int32_t>> Highlights;

    bool IsFinished() const { return StepState >= Finished; }
    // The finished picture, handed over; the request is cancelled with it.
    std::unique_ptr<ZEBLineBitmap> TakeResult();
    // No longer wanted: its pictures go at once, the request itself when the queue next steps.
    void Cancel();
};

// One step of drawing a request: advances it and reports whether there was work.
class ZEBRenderStep {
public:
    virtual ~ZEBRenderStep() = default;
    virtual bool Advance(ZEBRenderQuenue& request) = 0;
};

// The queue of line pictures still to draw, stepped by the main loop when it is idle.
class ZEBRenderThread {
public:
    explicit ZEBRenderThread(ZEBRenderStep& step) : step_(step) {}

    ZEBRenderQuenue& Append(std::unique_ptr<ZEBRenderQuenue> request);
    // Advances the current request, or the next one with work left, by one step; false when
    // there is nothing to do. Cancelled requests are freed here.
    bool Step();
    void Clear();

    size_t Count() const { return requests_.size(); }
    const ZEBRenderQuenue* Current() const { return current_; }

private:
    static constexpr size_t MinPurgeAt = 256;
    static bool HasWork(const ZEBRenderQuenue& r) { return !r.Cancelled && !r.IsFinished(); }
    void FreeCancelled();

    ZEBRenderStep& step_;
    ZEBRenderQuenue* current_ = nullptr;
    std::deque<std::unique_ptr<ZEBRenderQuenue>> requests_;
    size_t purgeAt_ = MinPurgeAt;
};

}  // namespace zeb
