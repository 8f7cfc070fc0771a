#pragma once

#include <cstdint>

#include <QImage>
#include <QWidget>

namespace zeb {

// The window shown while the program starts: the title picture over a thin strip that fills
// with black as the start-up work proceeds.
class TAA_Splash : public QWidget {
    Q_OBJECT

public:
    static constexpr int StripHeight = 8;

    TAA_Splash();

    // Shows the window centred on the screen and paints it before returning, since start-up
    // work runs next without returning to the event loop.
    void ShowAtOnce();
    // Fills the strip up to progress pixels (none when negative, all past its width) and
    // repaints it at once when the value changed.
    void SetProgress(int32_t progress);
    int32_t Progress() const { return progress_; }
    int StripWidth() const { return width(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect StripRect() const;

    QImage title_;
    int32_t progress_ = 0;
};

}  // namespace zeb
