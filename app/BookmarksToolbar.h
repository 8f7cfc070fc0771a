#pragma once

#include "platform/ui/DialogToolbar.h"

namespace zeb {

// The bookmarks dialog's toolbar: the three buttons that choose a place, a gap, the two delete
// buttons, and "Close" at the right edge.
class BookmarksToolbar : public DialogToolbar {
    Q_OBJECT

public:
    // Everything but the stretching spacer.
    static constexpr int FixedWidth = 218;

    explicit BookmarksToolbar(QWidget* parent = nullptr);

    QToolButton* SetButton() const { return set_; }
    QToolButton* GoToButton() const { return goTo_; }
    QToolButton* CustomButton() const { return custom_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* DeleteAllButton() const { return deleteAll_; }
    QToolButton* CloseButton() const { return close_; }

private:
    QToolButton* set_;
    QToolButton* goTo_;
    QToolButton* custom_;
    QToolButton* delete_;
    QToolButton* deleteAll_;
    QToolButton* close_;
};

}  // namespace zeb
