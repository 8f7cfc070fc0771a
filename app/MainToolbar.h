#pragma once

#include <QWidget>

class QToolButton;

namespace zeb {

class StatusFileArea;
class StatusGauge;

// The reader's toolbar: 37 pixels high on the dark panel colour, flat buttons of 31 x 30 with
// 23 x 23 images, and the two areas of the status display (the file area stretches).
class MainToolbar : public QWidget {
    Q_OBJECT

public:
    static constexpr int Height = 37;
    static constexpr int GaugeWidth = 338;
    // Everything but the file area is this wide; the file area takes the rest.
    static constexpr int FixedWidth = 621;

    explicit MainToolbar(QWidget* parent = nullptr);

    QToolButton* OpenButton() const { return open_; }
    QToolButton* AutoScrollButton() const { return autoScroll_; }
    QToolButton* FormattingButton() const { return formatting_; }
    QToolButton* OptionsButton() const { return options_; }
    QToolButton* AddBookmarkButton() const { return addBookmark_; }
    QToolButton* BookmarksButton() const { return bookmarks_; }
    QToolButton* MinimizeButton() const { return minimize_; }
    QToolButton* FullScreenButton() const { return fullScreen_; }
    QToolButton* ExitButton() const { return exit_; }
    StatusFileArea* FileArea() const { return fileArea_; }
    StatusGauge* Gauge() const { return gauge_; }
    // Repaints both status areas.

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* Button(int image, const char* hint, bool toggle);

    QToolButton* open_;
    QToolButton* autoScroll_;
    QToolButton* formatting_;
    QToolButton* options_;
    QToolButton* addBookmark_;
    QToolButton* bookmarks_;
    StatusFileArea* fileArea_;
    StatusGauge* gauge_;
    QToolButton* minimize_;
    QToolButton* fullScreen_;
    QToolButton* exit_;
};

}  // namespace zeb
