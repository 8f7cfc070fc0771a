#pragma once

#include <cstdint>

#include <QDialog>

#include "import/ZEBProgress.h"

class QProgressBar;

namespace zeb {

// The small modeless window that shows how far a long operation has come while no events are
// processed: every value that moves the bar repaints it at once. One lives for the program's
// life.
class TAA_Progress : public QDialog, public ZEBProgress {
    Q_OBJECT

public:
    // Steps of the bar: one per pixel of its width, so that a value which moves no pixel costs
    // no repaint.
    static constexpr int BarSteps = 256;

    explicit TAA_Progress(QWidget* mainWindow);

    void Create(const std::string& text, int64_t maximum) override;
    void Progress(int64_t value) override;
    void Destroy() override;

    const QProgressBar& Bar() const { return *bar_; }

private:
    QWidget* mainWindow_;
    QProgressBar* bar_;
    int64_t maximum_ = 0;
};

}  // namespace zeb
