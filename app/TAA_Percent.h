#pragma once

#include <optional>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeb {

// Asks for a place in the book as a percentage of its text. "OK" is enabled only for a number
// from 0 to 100 written with the locale's decimal separator; Enter in the field closes with
// "OK" when it is enabled and is swallowed either way. Text and value stay between showings.
class TAA_Percent : public QDialog {
    Q_OBJECT

public:
    explicit TAA_Percent(QWidget* parent = nullptr);

    // Shows the dialog modally; the value after "OK", none after "Cancel".
    std::optional<long double> Choose();

    // The number last read from the field, -1 when it was none.
    long double Value() const { return value_; }
    QLineEdit* Field() const { return field_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateWidgets();
    void PlaceWidgets();
    void TextChanged();

    QLabel* label_ = nullptr;
    QLineEdit* field_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    long double value_ = 0;
};

}  // namespace zeb
