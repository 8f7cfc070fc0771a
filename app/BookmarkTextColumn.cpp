#include "app/BookmarkTextColumn.h"

#include <QAbstractItemView>
#include <QPainter>

namespace zeb {

namespace {

constexpr int TextIndent = 2;

}  // namespace

BookmarkTextColumn::BookmarkTextColumn(QAbstractItemView& list)
    : QStyledItemDelegate(&list), list_(list)
{
}

void BookmarkTextColumn::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const bool highlighted = (option.state & QStyle::State_Selected) && list_.hasFocus();
    const QPalette& palette = option.palette;
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect,
                      palette.color(highlighted ? QPalette::Highlight : QPalette::Base));
    painter->setPen(palette.color(highlighted ? QPalette::HighlightedText : QPalette::WindowText));
    painter->setFont(option.font);
    // Level with the position caption beside it, which the style centres in the row.
    const QFontMetrics metrics(option.font);
    const int top = option.rect.top() + (option.rect.height() - metrics.height()) / 2;
    painter->drawText(option.rect.left() + TextIndent, top + metrics.ascent(),
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

}  // namespace zeb
