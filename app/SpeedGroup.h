#pragma once

#include "app/PanelGroup.h"

class QLabel;
class QRadioButton;

namespace zeb {

class NumberField;

// "Auto Scroll Speed": "Constant" with its lines per second, "Variable" with its characters
// per second; only the chosen mode's label and field are enabled.
class SpeedGroup : public PanelGroup {
    Q_OBJECT

public:
    explicit SpeedGroup(QWidget* parent);

    // Selects the mode (true "Constant") and enables its label and field only.
    void ShowMode(bool constant);

    QRadioButton* ConstantButton() const { return constant_; }
    QRadioButton* VariableButton() const { return variable_; }
    NumberField* LinesField() const { return lines_; }
    NumberField* CharsField() const { return chars_; }
    QLabel* LinesLabel() const { return linesLabel_; }
    QLabel* CharsLabel() const { return charsLabel_; }

signals:
    // The user chose a mode.
    void ModeClicked(bool constant);

private:
    QRadioButton* constant_;
    QRadioButton* variable_;
    QLabel* linesLabel_;
    QLabel* charsLabel_;
    NumberField* lines_;
    NumberField* chars_;
};

}  // namespace zeb
