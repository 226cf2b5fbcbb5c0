// TCustomInspector: painting the rows, their glyphs and separators, and the entries of
// the drop-down list.
#include "inspector/InspCtrl.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

QRect TCustomInspector::GlyphRect(const QRect& cell)
{
    // A square inset 2 pixels from the cell's top, left and bottom.
    const int side = std::max(1, cell.height() - 4);
    return QRect(cell.left() + 2, cell.top() + 2, side, side);
}

void TCustomInspector::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    PaintRows(painter, event->rect());
}

void TCustomInspector::PaintRows(QPainter& painter, const QRect& clip)
{
    const int width = viewport()->width();
    const int height = viewport()->height();
    const QColor back = ToQColor(FColor);
    int y = 0;
    for (int row = TopRow(); row < ItemCount() && y < height; ++row, y += FRowHeight) {
        const QRect rect(0, y, width, FRowHeight);
        if (!rect.intersects(clip))
            continue;
        const QRect nameCell(0, y, FSplitter, FRowHeight);
        const QRect valueCell(FSplitter + 1, y, width - FSplitter - 1, FRowHeight);
        if (OnDrawName)
            OnDrawName(this, row, painter, nameCell);
        else
            DrawName(row, painter, nameCell);
        const bool covered = row == FItemIndex && (!FEdit->isHidden() || !FCheckBox->isHidden());
        if (covered) {
            painter.fillRect(valueCell, ToQColor(clWindow));
            if (GetValueIndent(row) > 0)
                DrawValueGlyph(row, painter, GlyphRect(valueCell));
        } else if (OnDrawValue)
            OnDrawValue(this, row, painter, valueCell);
        else
            DrawValue(row, painter, valueCell);
        DrawSeparators(row, painter, rect);
    }
    if (y < height)
        painter.fillRect(QRect(0, y, width, height - y), back);
    if (FDragKind == dkSplitter && FSplitterDragPos >= 0) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(ToQColor(clSilver));
        painter.drawLine(FSplitterDragPos, 0, FSplitterDragPos, height - 1);
        painter.restore();
    }
}

void TCustomInspector::DrawGlyph(QPainter& painter, int x, const QRect& rect, TExpandState state)
{
    if (state == esNone)
        return;
    const QPixmap& glyph = state == esExpand ? FExpandGlyph : FCollapseGlyph;
    painter.drawPixmap(x, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
}

void TCustomInspector::DrawName(int row, QPainter& painter, const QRect& rect)
{
    const int level = std::max(GetLevel(row), 0);
    const int indent = GetIndent();
    const TExpandState state = GetExpandState(row);
    const bool selected = row == FItemIndex;
    QColor text = ToQColor(GetNameColor(row));
    painter.setFont(GetNameFont(row));
    int textX = 0;
    switch (FPaintStyle) {
    case psClassic:
        painter.fillRect(rect, ToQColor(FColor));
        DrawGlyph(painter, level * indent + 2, rect, state);
        textX = (level + 1) * indent + 4;
        break;
    case psTree: {
        painter.fillRect(rect, ToQColor(FColor));
        const int step = indent + 2;
        painter.setPen(ToQColor(clBtnShadow));
        for (int l = 0; l < level; ++l) {
            const int x = l * step + step / 2;
            painter.drawLine(x, rect.top(), x, rect.bottom());
        }
        if (level > 0) {
            const int x = (level - 1) * step + step / 2;
            painter.drawLine(x, rect.center().y(), level * step + 1, rect.center().y());
        }
        DrawGlyph(painter, level * step + 2, rect, state);
        textX = (level + 1) * step + 2;
        break;
    }
    case psMagic: {
        painter.fillRect(QRect(0, rect.top(), level * indent, rect.height()), ToQColor(clBtnShadow));
        painter.fillRect(QRect(level * indent, rect.top(), rect.width() - level * indent, rect.height()), ToQColor(FColor));
        painter.setPen(ToQColor(clBtnHighlight));
        for (int l = 1; l <= level; ++l)
            painter.drawLine(l * indent - 1, rect.top(), l * indent - 1, rect.bottom());
        DrawGlyph(painter, level * indent + 2, rect, state);
        textX = (level + 1) * indent + 4;
        break;
    }
    }
    const QRect textRect(textX, rect.top(), std::max(0, rect.right() - textX - 1), rect.height());
    if (selected && FPaintStyle != psClassic) {
        const int w = QFontMetrics(painter.font()).horizontalAdvance(ItemName(row)) + 4;
        painter.fillRect(QRect(textX - 2, rect.top() + 1, std::min(w, rect.right() - textX + 2), rect.height() - 2),
                         ToQColor(clHighlight));
        text = ToQColor(clHighlightText);
    }
    painter.setPen(text);
    const QString name = QFontMetrics(painter.font()).elidedText(ItemName(row), Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
}

void TCustomInspector::DrawValue(int row, QPainter& painter, const QRect& rect)
{
    painter.fillRect(rect, ToQColor(FColor));
    const QString value = GetValue(row);
    if (UsesCheckBox(row)) {
        const int side = std::min(13, rect.height() - 2);
        const QRect box(rect.left() + 2, rect.top() + (rect.height() - side) / 2, side - 1, side - 1);
        painter.setPen(ToQColor(clBtnShadow));
        painter.setBrush(ToQColor(clWindow));
        painter.drawRect(box);
        painter.setBrush(Qt::NoBrush);
        if (NamesTrue(value)) {
            painter.setPen(QPen(ToQColor(GetValueColor(row)), 2));
            painter.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
            painter.drawLine(box.center().x(), box.bottom() - 3, box.right() - 2, box.top() + 3);
        }
        return;
    }
    const int indent = GetValueIndent(row);
    if (indent > 0)
        DrawValueGlyph(row, painter, GlyphRect(rect));
    painter.setFont(GetValueFont(row));
    painter.setPen(ToQColor(GetValueColor(row)));
    const QRect textRect = rect.adjusted(3 + indent, 0, -2, 0);
    const QString text = QFontMetrics(painter.font()).elidedText(value, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void TCustomInspector::DrawSeparators(int row, QPainter& painter, const QRect& rect)
{
    const int bottom = rect.bottom();
    switch (FPaintStyle) {
    case psClassic: {
        // A dotted line under the row, every second pixel.
        QPen dotted(ToQColor(clBtnShadow), 1);
        dotted.setDashPattern({1.0, 1.0});
        dotted.setCapStyle(Qt::FlatCap);
        painter.setPen(dotted);
        painter.drawLine(QPointF(0.5, bottom + 0.5), QPointF(rect.right() + 0.5, bottom + 0.5));
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(FSplitter - 1, rect.top(), FSplitter - 1, bottom);
        painter.setPen(ToQColor(clBtnHighlight));
        painter.drawLine(FSplitter, rect.top(), FSplitter, bottom);
        if (row == FItemIndex) {
            // A sunken border round the selected row.
            painter.setPen(ToQColor(clBtnShadow));
            painter.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
            painter.drawLine(rect.left(), rect.top(), rect.left(), bottom);
            painter.setPen(ToQColor(clBtnHighlight));
            painter.drawLine(rect.left(), bottom, rect.right(), bottom);
            painter.drawLine(rect.right(), rect.top(), rect.right(), bottom);
        }
        break;
    }
    case psTree:
        painter.setPen(ToQColor(GetValueColor(row)));
        painter.drawLine(FSplitter + 1, bottom, rect.right(), bottom);
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(FSplitter, rect.top(), FSplitter, bottom);
        break;
    case psMagic: {
        int level = std::max(GetLevel(row), 0);
        if (row + 1 < ItemCount())
            level = std::min(level, std::max(GetLevel(row + 1), 0));
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(level * GetIndent(), bottom, rect.right(), bottom);
        painter.drawLine(FSplitter, rect.top(), FSplitter, bottom);
        break;
    }
    }
}

void TCustomInspector::PaintPopupItem(int TheIndex, QPainter& Painter, const QRect& Rect, const QString& Item, bool Selected)
{
    Painter.fillRect(Rect, ToQColor(Selected ? clHighlight : clWindow));
    Painter.setPen(ToQColor(Selected ? clHighlightText : GetValueColor(TheIndex)));
    Painter.setFont(GetValueFont(TheIndex));
    Painter.drawText(Rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Item);
}
