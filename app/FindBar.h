#pragma once

#include <QFrame>

#include "reader/FindInBook.h"

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
    explicit FindBar(QWidget* parent);

    // Shows the bar with the phrase selected, so that typing replaces it.
    void Open();
    void Close();
    // F3 and Shift+F3: with a phrase, the next or previous match; without one, the bar opens.
    void FindAgain(BookSearch::Direction direction);

    QLineEdit* Phrase() const { return phrase_; }
    QCheckBox* MatchCase() const { return matchCase_; }
    QLabel* Notice() const { return notice_; }

    // How the search asked for goes, or how it ended.
    void ShowOutcome(FindInBook::Outcome outcome, double progress);

signals:
    // The next or previous match of phrase is asked for.
    void FindRequested(const std::u16string& phrase, bool matchCase,
                       BookSearch::Direction direction);
    // A search that runs is to stop.
    void CancelRequested();
    // The bar closed: the reader view takes the keys back.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceInParent();

    bool searching_ = false;
    QLineEdit* phrase_;
    QCheckBox* matchCase_;
    QToolButton* previous_;
    QToolButton* next_;
    QLabel* notice_;
    QToolButton* close_;
};

}  // namespace zeb
