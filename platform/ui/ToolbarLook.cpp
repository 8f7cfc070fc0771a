#include "platform/ui/ToolbarLook.h"

#include <QToolButton>
#include <QWidget>

namespace zeb {

void FillBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void PaintAsToolbar(QWidget& toolbar)
{
    FillBackground(toolbar, ToolbarColor);
    QPalette palette = toolbar.palette();
    palette.setColor(QPalette::Button, ToolbarColor);
    toolbar.setPalette(palette);
}

QToolButton* ToolbarButton(QWidget* parent, const QIcon& icon, int iconSize, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(iconSize, iconSize));
    button->setFixedSize(ToolbarButtonWidth, ToolbarButtonHeight);
    button->setToolTip(QString::fromLatin1(hint));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace zeb
