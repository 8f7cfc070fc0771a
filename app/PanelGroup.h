#pragma once

#include <QGroupBox>

class QLayout;

namespace zeb {

// A captioned group of the options panel. Packed tight, so that the panel covers little of
// the page: it asks only for the room its caption and its controls take.
class PanelGroup : public QGroupBox {
    Q_OBJECT

public:
    PanelGroup(const QString& caption, QWidget* parent);

    QSize minimumSizeHint() const override;

protected:
    // Gives the group's layout the panel's tight margins.
    static void Compact(QLayout& layout);
};

}  // namespace zeb
