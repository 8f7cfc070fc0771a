#pragma once

#include <optional>

#include <QWidget>

#include "settings/ApplySettings.h"

namespace zeb {

// The toolbar's file area: the open book's source name and size under their labels, drawn
// only when both columns fit the area's width.
class StatusFileArea : public QWidget {
    Q_OBJECT

public:
    explicit StatusFileArea(QWidget* parent = nullptr) : QWidget(parent) {}

    // The open book's source; none while no book is open.
    void Show(const std::optional<BookSource>& source);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<BookSource> source_;
};

}  // namespace zeb
