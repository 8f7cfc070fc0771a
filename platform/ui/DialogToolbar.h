#pragma once

#include <QWidget>

class QHBoxLayout;
class QIcon;
class QToolButton;

namespace zeb {

// A dialog's toolbar: 33 pixels high in the dark panel colour, flat buttons of 31 x 30 in a row
// with gaps as wide as a button, and before the last button a spacer as wide as the toolbar
// less fixedWidth, which keeps that button at the right edge.
class DialogToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr int Height = 33;

    DialogToolbar(int fixedWidth, QWidget* parent);

protected:
    QToolButton* AddButton(const QIcon& icon, int iconSize, const char* hint);
    void AddGap();
    // The spacer, then the button at the right edge.
    QToolButton* AddLastButton(const QIcon& icon, int iconSize, const char* hint);

    void resizeEvent(QResizeEvent* event) override;

private:
    int fixedWidth_;
    QHBoxLayout* row_;
    QWidget* stretch_ = nullptr;
};

}  // namespace zeb
