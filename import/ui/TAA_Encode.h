#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

#include <QDialog>
#include <QTimer>
#include <QFont>

#include "import/PreviewChapters.h"
#include "import/PreviewLines.h"
#include "import/ZEBImportPreview.h"

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QToolButton;
class QWheelEvent;

namespace zeb {

class TZEBEncode;
class ZEBCodepage;

// The import preview: the source decoded in the code page chosen in the list, re-decoded on
// every change, and "Import" or "Do Not Import". Line ends are found only as far as the rows
// shown need. One lives for the program's life; each showing takes a new source.
class TAA_Encode : public QDialog, public ZEBImportPreview {
    Q_OBJECT

public:
    // The list holds every entry of catalogue, which must outlive the dialog. mainWindow gives
    // the bounds the dialog takes when shown.
    TAA_Encode(const ZEBCodepage& catalogue, QWidget* mainWindow);
    ~TAA_Encode() override;

    std::optional<int32_t> Show(ZEBFile& source, const std::u16string& caption,
                                int32_t codePage) override;

    // Selects the entry of codePage and lays the preview out again. A code page the list does
    // not hold selects the system ANSI code page's entry (the first entry when it has none).
    void SelectCodePage(int32_t codePage);

    // The code page the preview decodes with, UnicodeCodePage for UTF-16LE.
    int32_t CodePageInUse() const { return codePage_; }
    // The code page the source's first bytes suggest, 0 when they suggest none.
    int32_t SuggestedCodePage() const { return suggested_; }
    int32_t LineHeight() const { return lineHeight_; }
    const PreviewLines& Lines() const { return lines_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void BuildBottomPanel();
    void FormShow();
    void Reading(const std::function<void()>& read);
    void TakeMainWindowBounds();
    void LayOutPanels();
    void ReLayout();
    int32_t TakeSuggestion(ZEBFile& source, int32_t remembered);
    void ShowSuggestion();
    void UpdateScrollRange();
    // The chapters of the text in the code page shown, counted in steps.
    void CountChapters();
    void ChapterStep();
    void PaintPreview(QPainter& painter);
    void PreviewKeyDown(QKeyEvent* event);
    void PreviewWheel(QPoint angleDelta);
    void ScrollBy(int64_t pixels);
    void ScrollTo(int64_t position);
    int PageLines() const;

    const ZEBCodepage& catalogue_;
    QWidget* mainWindow_;
    QFrame* topPanel_;
    QLabel* caption_;
    QFrame* middlePanel_;
    TZEBEncode* preview_;
    QWidget* scrollBox_;
    QScrollBar* scrollBar_;
    QFrame* bottomPanel_;
    QLabel* codePageLabel_;
    QComboBox* codePages_;
    QLabel* suggestion_;
    QToolButton* useSuggestion_;
    QPushButton* doNotImport_;
    QPushButton* import_;
    QStatusBar* statusBar_;
    QLabel* chapters_;
    QTimer chapterSteps_;
    std::unique_ptr<PreviewChapters> chapterCount_;

    QFont previewFont_;
    int32_t lineHeight_ = 1;
    int32_t codePage_ = 0;
    int32_t suggested_ = 0;
    PreviewLines lines_;
    ZEBFile* source_ = nullptr;
    bool busy_ = false;  // the list is being set by the dialog itself
    std::exception_ptr readFailure_;  // the source could not be read: the preview ends
};

}  // namespace zeb
