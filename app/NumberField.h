#pragma once

#include <cstdint>

#include <QWidget>

#include "settings/ReaderSettings.h"

class QLineEdit;
class QToolButton;

namespace zeb {

// A number field with its up-down: the text is whatever the user types, even when it is no
// number or out of range; the up-down steps from the number shown (or, when the text is no
// number in range, from the last one it knew) within range and writes it into the field.
class NumberField : public QWidget {
    Q_OBJECT

public:
    NumberField(SettingRange range, QWidget* parent = nullptr);

    QString Text() const;
    // Shows value, as the program does, without reporting a change.
    void SetValue(int32_t value);
    // The up-down's step, as its arrows do it.
    void Step(int32_t by);

    QLineEdit* Edit() const { return edit_; }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    // The user typed into the field or stepped it.
    void Changed(const QString& text);

private:
    void Typed(const QString& text);

    SettingRange range_;
    int32_t position_;
    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace zeb
