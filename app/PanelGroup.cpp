#include "app/PanelGroup.h"

#include <algorithm>

#include <QLayout>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace zeb {

PanelGroup::PanelGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

QSize PanelGroup::minimumSizeHint() const
{
    // The style's own hint keeps a wide margin around the caption; the caption needs only its
    // indent on both sides.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, QWIDGETSIZE_MAX / 2, height());
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                QStyle::SC_GroupBoxLabel, this);
    const int captionWidth = 2 * std::max(label.left(), 2) + fontMetrics().horizontalAdvance(title());
    const QSize contents = QWidget::minimumSizeHint();
    return {std::max(contents.width(), captionWidth), contents.height()};
}

void PanelGroup::Compact(QLayout& layout)
{
    layout.setContentsMargins(3, 0, 2, 3);
}

}  // namespace zeb
