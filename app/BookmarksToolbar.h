#pragma once

#include <QWidget>

class QToolButton;

namespace zeb {

// The bookmarks dialog's toolbar: 33 pixels high in the dark panel colour, flat buttons of
// 31 x 30 with 23 x 23 images, a gap after the three that choose a place, and a spacer before
// "Close" that keeps it at the right edge.
class BookmarksToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr int Height = 33;
    // Everything but the stretching spacer.
    static constexpr int FixedWidth = 218;

    explicit BookmarksToolbar(QWidget* parent = nullptr);

    QToolButton* SetButton() const { return set_; }
    QToolButton* GoToButton() const { return goTo_; }
    QToolButton* CustomButton() const { return custom_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* DeleteAllButton() const { return deleteAll_; }
    QToolButton* CloseButton() const { return close_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* set_;
    QToolButton* goTo_;
    QToolButton* custom_;
    QWidget* gap_;
    QToolButton* delete_;
    QToolButton* deleteAll_;
    QWidget* stretch_;
    QToolButton* close_;
};

}  // namespace zeb
