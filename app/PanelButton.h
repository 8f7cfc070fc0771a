#pragma once

#include <QPushButton>

namespace zeb {

// A push button of the options panel: it asks only for the room its caption takes, where the
// style's hint keeps the wide minimum of a dialog's buttons.
class PanelButton : public QPushButton {
    Q_OBJECT

public:
    PanelButton(const QString& caption, QWidget* parent);

    QSize minimumSizeHint() const override;
};

}  // namespace zeb
