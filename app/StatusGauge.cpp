#include "app/StatusGauge.h"

#include <algorithm>

#include <QPainter>

#include "app/StatusGlyphs.h"
#include "platform/ui/ShowWindow.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

constexpr int RightMargin = 8;
constexpr int ClockGap = 24;  // between the clock and the speed block
constexpr int Top = 1;

// text centred in the span [left, left + width), its top at y.
void DrawCentred(QPainter& p, const QString& text, int left, int width, int y)
{
    const QFontMetrics metrics = p.fontMetrics();
    const int x = left + ((width - metrics.horizontalAdvance(text)) >> 1);
    p.drawText(x, y + metrics.ascent(), text);
}

int LogicalWidth(const QImage& image)
{
    return int(image.deviceIndependentSize().width());
}

}  // namespace

StatusGauge::StatusGauge(QWidget* parent)
    : QWidget(parent), clock_([] { return QTime::currentTime(); })
{
    // The clock is painted again when its minute is over, and not before.
    nextMinute_.setSingleShot(true);
    connect(&nextMinute_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

StatusGauge::~StatusGauge() = default;

const StatusGlyphs& StatusGauge::Glyphs()
{
    const int ratio = WholePixelRatio(*this);
    if (!glyphs_ || glyphs_->PixelRatio() != ratio)
        glyphs_ = std::make_unique<StatusGlyphs>(ratio);
    return *glyphs_;
}

void StatusGauge::Show(const GaugeReading& reading)
{
    if (reading == reading_)
        return;
    reading_ = reading;
    update();
}

QImage StatusGauge::Picture(const std::string& text)
{
    return Glyphs().TextPicture(QString::fromStdString(text));
}

void StatusGauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToolbarColor);
    p.setPen(StatusTextColor);
    const GaugeReading& reading = reading_;
    const QFontMetrics metrics = p.fontMetrics();

    // The speed block keeps its width while auto-scroll is stopped, so the clock stays put.
    int right = width() - RightMargin;
    int block = std::max(metrics.horizontalAdvance(QString::fromLatin1(ConstantSpeedText)),
                         metrics.horizontalAdvance(QString::fromLatin1(VariableSpeedText)));
    const QString steps = QString::fromStdString(StepsText(reading.LastSecond));
    if (!steps.isEmpty()) {
        block = std::max(block, metrics.horizontalAdvance(steps));
        DrawCentred(p, QString::fromLatin1(SpeedModeText(reading.ConstantSpeed)), right - block,
                    block, Top);
        DrawCentred(p, steps, right - block, block, height() - metrics.height() - 1);
    }
    right -= block + ClockGap;

    const QTime now = clock_();
    const QImage clock = Picture(ClockText(now.hour(), now.minute()));
    nextMinute_.start(60'000 - (now.second() * 1000 + now.msec()) + 5);
    p.drawImage(QPoint(right - LogicalWidth(clock), Top), clock);
    if (reading.Tenths)
        p.drawImage(QPoint(0, Top), Picture(PercentText(*reading.Tenths)));
}

}  // namespace zeb
