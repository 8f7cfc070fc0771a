#pragma once

#include <QFrame>

#include "app/FindInBook.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace zeb {

// The find bar over the reader view's top right corner: the phrase, "Match case", previous and
// next, and a notice of how the last search went. Enter or F3 finds the next match, Shift with
// either the previous one; Escape cancels a search that runs, else closes the bar.
class FindBar : public QFrame {
    Q_OBJECT

public:
    FindBar(FindInBook& finder, QWidget* parent);

    // Shows the bar with the phrase selected, so that typing replaces it.
    void Open();
    void Close();
    // F3 and Shift+F3: with a phrase, the next or previous match; without one, the bar opens.
    void FindAgain(BookSearch::Direction direction);

    QLineEdit* Phrase() const { return phrase_; }
    QCheckBox* MatchCase() const { return matchCase_; }
    QLabel* Notice() const { return notice_; }

signals:
    // The bar closed: the reader view takes the keys back.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowOutcome(FindInBook::Outcome outcome, double progress);
    void PlaceInParent();

    FindInBook& finder_;
    QLineEdit* phrase_;
    QCheckBox* matchCase_;
    QToolButton* previous_;
    QToolButton* next_;
    QLabel* notice_;
    QToolButton* close_;
};

}  // namespace zeb
