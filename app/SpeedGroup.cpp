#include "app/SpeedGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

#include "app/NumberField.h"

namespace zeb {

SpeedGroup::SpeedGroup(QWidget* parent)
    : PanelGroup(QStringLiteral("Auto Scroll Speed"), parent),
      constant_(new QRadioButton(QStringLiteral("Constant"), this)),
      variable_(new QRadioButton(QStringLiteral("Variable"), this)),
      linesLabel_(new QLabel(QStringLiteral("Lines per Second"), this)),
      charsLabel_(new QLabel(QStringLiteral("Chars per second"), this)),
      lines_(new NumberField(SpeedRange, this)),
      chars_(new NumberField(SpeedRange, this))
{
    auto* layout = new QGridLayout(this);
    Compact(*layout);
    layout->setVerticalSpacing(1);
    layout->setHorizontalSpacing(4);
    layout->addWidget(constant_, 0, 0);
    layout->addWidget(linesLabel_, 0, 1, Qt::AlignRight);
    layout->addWidget(lines_, 0, 2);
    layout->addWidget(variable_, 1, 0);
    layout->addWidget(charsLabel_, 1, 1, Qt::AlignRight);
    layout->addWidget(chars_, 1, 2);
    layout->setColumnStretch(1, 1);

    lines_->SetValue(1);
    ShowMode(true);
    connect(constant_, &QRadioButton::clicked, this, [this] { emit ModeClicked(true); });
    connect(variable_, &QRadioButton::clicked, this, [this] { emit ModeClicked(false); });
}

void SpeedGroup::ShowMode(bool constant)
{
    (constant ? constant_ : variable_)->setChecked(true);
    linesLabel_->setEnabled(constant);
    lines_->setEnabled(constant);
    charsLabel_->setEnabled(!constant);
    chars_->setEnabled(!constant);
}

}  // namespace zeb
