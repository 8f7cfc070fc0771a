#pragma once

#include <QDialog>
#include <QImage>

namespace zeb {

// The about box: the title picture with a picture button that closes it. A press on the
// button's picture (not on its transparent white) pushes it in; the release that follows
// closes the box wherever the pointer has gone.
class TAA_About : public QDialog {
    Q_OBJECT

public:
    static constexpr QPoint ButtonAt{18, 97};

    explicit TAA_About(QWidget* mainWindow);

    // Centres the box on the main window and shows it modally.
    void Show();
    bool Released() const { return released_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage title_;
    QImage releasedPicture_;
    QImage releasedShown_;
    QImage pressedShown_;
    bool released_ = true;
};

}  // namespace zeb
