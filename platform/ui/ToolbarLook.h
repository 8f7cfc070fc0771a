#pragma once

#include <QColor>
#include <QIcon>

class QToolButton;
class QWidget;

namespace zeb {

// The program's toolbars look alike: one dark colour, flat buttons of 31 x 30 pixels.
inline const QColor ToolbarColor(0, 62, 86);
constexpr int ToolbarButtonWidth = 31, ToolbarButtonHeight = 30;

// Fills widget's background with colour.
void FillBackground(QWidget& widget, const QColor& colour);

// A toolbar: its background and its buttons' background in the toolbar colour.
void PaintAsToolbar(QWidget& toolbar);

// A flat toolbar button with an icon of iconSize x iconSize and a tooltip; it never takes the
// keyboard focus, which stays with the view.
QToolButton* ToolbarButton(QWidget* parent, const QIcon& icon, int iconSize, const char* hint);

}  // namespace zeb
