#pragma once

#include <initializer_list>

#include <QList>

#include "app/PanelGroup.h"

class QButtonGroup;
class QRadioButton;

namespace zeb {

// A captioned group of radio buttons, one of them selected, spread evenly over its height.
class RadioGroup : public PanelGroup {
    Q_OBJECT

public:
    RadioGroup(const char* caption, std::initializer_list<const char*> items, QWidget* parent);

    int ItemIndex() const;
    // Selects item index without reporting a click.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return items_.at(index); }

signals:
    // The user selected item index.
    void Clicked(int index);

private:
    QButtonGroup* group_;
    QList<QRadioButton*> items_;
};

}  // namespace zeb
