#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace zeb {

// Draws the bookmarks list's "Text" column: the bookmark's text from two pixels in, clipped to
// its cell, highlighted only while the row is selected and the list has the focus.
class BookmarkTextColumn : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit BookmarkTextColumn(QAbstractItemView& list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QAbstractItemView& list_;
};

}  // namespace zeb
