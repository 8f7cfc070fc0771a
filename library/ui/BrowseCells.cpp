#include "library/ui/BrowseCells.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "library/ZEBBrowseFile.h"
#include "library/ZEBBrowseView.h"
#include "platform/ui/ToolbarLook.h"
#include "render/ProfileFont.h"

namespace zeb {

namespace {

constexpr int TextInset = 4;
constexpr int CellLines = 10, SeparatorRows = 2;

const QColor HeaderColor(211, 214, 191), HeaderSelectedColor(182, 182, 221);
const QColor BodyColor(184, 187, 164), BodySelectedColor(219, 226, 255);

QString HeaderText(const ZEBBrowseFileObject& entry)
{
    return QStringLiteral("FileName: ") + QString::fromStdU16String(entry.title) +
           QStringLiteral("        File Size: ") + QString::number(entry.sourceSize);
}

// Text with its top-left corner at (x, y), clipped to clip.
void DrawClipped(QPainter& painter, const QRect& clip, int x, int y, const QString& text)
{
    painter.save();
    painter.setClipRect(clip);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
    painter.restore();
}

void PaintCell(QPainter& painter, const ZEBBrowseFileObject& entry, int y0, int width,
               int lineHeight, int cellHeight)
{
    const QRect header(0, y0, width, lineHeight);
    painter.fillRect(header, entry.selected ? HeaderSelectedColor : HeaderColor);
    DrawClipped(painter, header.adjusted(TextInset, 0, -TextInset, 0), TextInset, y0,
                HeaderText(entry));

    const QRect body(0, y0 + lineHeight, width, cellHeight - SeparatorRows - lineHeight);
    painter.fillRect(body, entry.selected ? BodySelectedColor : BodyColor);
    const QRect bodyClip = body.adjusted(TextInset, 0, -TextInset, 0);
    for (size_t k = 0; k < entry.preview.size(); ++k)
        DrawClipped(painter, bodyClip, TextInset, y0 + int(k + 1) * lineHeight,
                    QString::fromStdU16String(entry.preview[k]));

    painter.setPen(Qt::black);
    for (int row : {y0 + cellHeight - 2, y0 + cellHeight - 1})
        painter.drawLine(TextInset, row, width - TextInset, row);
}

}  // namespace

QFont BrowseFont()
{
    FontProfile profile;
    profile.FontName = "Courier New";
    profile.FontSize = 10;
    profile.Bold = true;
    return BuildProfileFont(profile);
}

// The height a text extent of "A1" has: the font's ascent and descent.
int BrowseLineHeight(const QFont& font)
{
    return std::max(1, QFontMetrics(font).height());
}

int BrowseCellHeight(int lineHeight)
{
    return CellLines * lineHeight + SeparatorRows;
}

void PaintBrowseCells(QPainter& painter, const ZEBBrowseFile& list, const ZEBBrowseView& view,
                      int width, int lineHeight)
{
    painter.fillRect(QRect(0, 0, width, view.ViewHeight()), ToolbarColor);
    painter.setPen(Qt::black);
    const int cellHeight = view.CellHeight();
    for (int32_t i = view.Top(); i < list.Count(); ++i) {
        const int y0 = view.CellTop(i);
        if (y0 >= view.ViewHeight())
            break;
        PaintCell(painter, list[i], y0, width, lineHeight, cellHeight);
        painter.setPen(Qt::black);
    }
}

}  // namespace zeb
