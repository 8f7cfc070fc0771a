#pragma once

#include <functional>
#include <optional>

#include <QWidget>

#include "settings/ApplySettings.h"

namespace zeb {

// The toolbar's file area: the open book's source name and size under their labels, drawn
// only when both columns fit the area's width.
class StatusFileArea : public QWidget {
    Q_OBJECT

public:
    // The open book's source; none while no book is open.
    using Source = std::function<std::optional<BookSource>()>;

    explicit StatusFileArea(QWidget* parent = nullptr) : QWidget(parent) {}

    void SetSource(Source source) { source_ = std::move(source); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Source source_;
};

}  // namespace zeb
