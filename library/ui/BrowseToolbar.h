#pragma once

#include "platform/ui/DialogToolbar.h"

namespace zeb {

// The library's toolbar: "Import the Book from the File" and "Read the Book", a gap, the two
// delete buttons, and "Close" at the right edge.
class BrowseToolbar : public DialogToolbar {
    Q_OBJECT

public:
    // Everything but the stretching spacer.
    static constexpr int FixedWidth = 187;

    explicit BrowseToolbar(QWidget* parent = nullptr);

    QToolButton* ImportButton() const { return import_; }
    QToolButton* ReadButton() const { return read_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* DeleteAllButton() const { return deleteAll_; }
    QToolButton* CloseButton() const { return close_; }

private:
    QToolButton* import_;
    QToolButton* read_;
    QToolButton* delete_;
    QToolButton* deleteAll_;
    QToolButton* close_;
};

}  // namespace zeb
