#pragma once

#include <cstddef>
#include <optional>

#include <QDialog>

#include "storage/BookChapters.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zeb {

class BookReader;

inline constexpr const char* NoChaptersText = "No chapters";
inline constexpr const char* InvalidPatternText = "Not a pattern: see the help page";

// "Contents": the open book's chapters, level-2 ones indented, each with its place in
// percent, opened at the chapter being read. Enter or a double click reads the chosen one,
// Escape closes. Below the list the user may drop the chapters, or find them by a pattern of
// their own (an ICU regular expression matched against whole source lines), or have them
// found again; the list follows at once and the choice is stored in the book.
class ContentsDialog : public QDialog {
    Q_OBJECT

public:
    ContentsDialog(BookReader& reader, QWidget* parent = nullptr);

    // Shows the dialog modally; the chapter to read, none when it was closed without one.
    std::optional<size_t> Choose();

    QTreeWidget* List() const { return list_; }
    QLineEdit* PatternField() const { return pattern_; }
    QPushButton* NoChaptersButton() const { return none_; }
    QPushButton* PatternButton() const { return usePattern_; }
    QPushButton* FindButton() const { return find_; }
    QLabel* Notice() const { return notice_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateWidgets();
    void Fill();
    void UseChapters(ChapterChoice choice);
    void Read();

    BookReader& reader_;
    QTreeWidget* list_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QPushButton* none_ = nullptr;
    QPushButton* usePattern_ = nullptr;
    QPushButton* find_ = nullptr;
    QLabel* notice_ = nullptr;
    std::optional<size_t> chosen_;
};

}  // namespace zeb
