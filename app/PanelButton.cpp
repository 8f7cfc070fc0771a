#include "app/PanelButton.h"

#include <QStyle>

namespace zeb {

PanelButton::PanelButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

QSize PanelButton::minimumSizeHint() const
{
    const QStyle* s = style();
    const int padding = s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) +
                        2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(text()) + padding, fm.height() + padding};
}

}  // namespace zeb
