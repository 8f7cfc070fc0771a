#pragma once

#include <QWidget>

class QToolButton;

namespace zeb {

// The library's toolbar: 33 pixels high in the dark panel colour, flat buttons of 31 x 30
// with 23 x 23 images, a spacer after "Read the Book", and one before "Close" that keeps it
// at the right edge.
class BrowseToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr int Height = 33;
    // Everything but the stretching spacer.
    static constexpr int FixedWidth = 187;

    explicit BrowseToolbar(QWidget* parent = nullptr);

    QToolButton* ImportButton() const { return import_; }
    QToolButton* ReadButton() const { return read_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* DeleteAllButton() const { return deleteAll_; }
    QToolButton* CloseButton() const { return close_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* import_;
    QToolButton* read_;
    QWidget* gap_;
    QToolButton* delete_;
    QToolButton* deleteAll_;
    QWidget* stretch_;
    QToolButton* close_;
};

}  // namespace zeb
