#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QTime>
#include <QTimer>
#include <QWidget>

#include "render/GaugeTexts.h"

namespace zeb {

class StatusGlyphs;

// The toolbar's gauge: the reading position in percent at the left, the time of day, and while
// auto-scroll runs the speed mode over the steps made in the last second at the right. Percent
// and clock are drawn with the glyph pictures, the rest in the toolbar's font.
class StatusGauge : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<QTime()>;

    explicit StatusGauge(QWidget* parent = nullptr);
    ~StatusGauge() override;

    // What to show; repaints when it differs from what is shown. Without a reading (no book)
    // the gauge shows the clock only.
    void Show(const GaugeReading& reading);
    // The time of day the clock shows, for tests.
    void SetClock(Clock clock) { clock_ = std::move(clock); }

    // The glyph pictures at this screen's pixel ratio.
    const StatusGlyphs& Glyphs();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage Picture(const std::string& text);

    GaugeReading reading_;
    Clock clock_;
    QTimer nextMinute_;
    std::unique_ptr<StatusGlyphs> glyphs_;
};

}  // namespace zeb
