#include "app/StatusFileArea.h"

#include <algorithm>

#include <QPainter>

#include "app/StatusGlyphs.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

constexpr int Left = 16, Top = 2;
constexpr int Margins = 32;  // the width the columns leave free at least

// text at (x, y), clipped to its own box.
void DrawClipped(QPainter& p, const QString& text, int x, int y)
{
    const QFontMetrics metrics = p.fontMetrics();
    p.drawText(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
               Qt::AlignLeft | Qt::AlignTop, text);
}

int WiderOf(const QFontMetrics& metrics, const QString& a, const QString& b)
{
    return std::max(metrics.horizontalAdvance(a), metrics.horizontalAdvance(b));
}

}  // namespace

void StatusFileArea::Show(const std::optional<BookSource>& source)
{
    if (source == source_)
        return;
    source_ = source;
    update();
}

void StatusFileArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToolbarColor);
    const std::optional<BookSource>& source = source_;
    if (!source)
        return;
    const QString nameLabel = QStringLiteral("File Name: ");
    const QString sizeLabel = QStringLiteral("File Size: ");
    const QString name = QString::fromStdU16String(source->Name);
    const QString size = QString::number(source->Size);
    const QFontMetrics metrics = p.fontMetrics();
    const int labelWidth = WiderOf(metrics, nameLabel, sizeLabel);
    if (WiderOf(metrics, name, size) + labelWidth + Margins >= width())
        return;
    const int h = metrics.height();
    p.setPen(StatusTextColor);
    DrawClipped(p, nameLabel, Left, Top);
    DrawClipped(p, name, Left + labelWidth, Top);
    DrawClipped(p, sizeLabel, Left, Top + h);
    DrawClipped(p, size, Left + labelWidth, Top + h);
}

}  // namespace zeb
