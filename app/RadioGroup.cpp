#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>


namespace zeb {

RadioGroup::RadioGroup(const char* caption, std::initializer_list<const char*> items, QWidget* parent)
    : PanelGroup(QString::fromLatin1(caption), parent), group_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    Compact(*layout);
    layout->setSpacing(0);
    for (const char* item : items) {
        auto* button = new QRadioButton(QString::fromLatin1(item), this);
        // Each item gets an equal share of the height; its caption never gets cut.
        button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::MinimumExpanding);
        group_->addButton(button, int(items_.size()));
        items_.push_back(button);
        layout->addWidget(button);
    }
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::Clicked);
}

int RadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < items_.size())
        items_[index]->setChecked(true);
}

}  // namespace zeb
