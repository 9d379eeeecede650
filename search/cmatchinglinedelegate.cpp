#include "search/cmatchinglinedelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

#include "search/core/matchinglinesmodel.h"

int CMatchingLineDelegate::ArrowWidth(const QStyleOptionViewItem &option)
{
    return option.fontMetrics.height();
}

void CMatchingLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const auto *model = qobject_cast<const CMatchingLinesModel *>(index.model());
    if (!model || !model->IsFoldable()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    switch (model->RowKind(index.row())) {
    case CMatchingLinesModel::FileRowKind:
        if (index.column() == 0)
            PaintFileCell(painter, option, index, model->IsUnfolded(model->FileRow(index.row())));
        else
            QStyledItemDelegate::paint(painter, option, index);
        break;
    case CMatchingLinesModel::LineRowKind:
        PaintLine(painter, option, *model->Line(index.row()));
        break;
    case CMatchingLinesModel::MoreRowKind: {
        QStyleOptionViewItem more = option;
        initStyleOption(&more, index);
        more.rect.setLeft(more.rect.left() + 2 * ArrowWidth(option));
        more.font.setItalic(true);
        QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &more, painter, option.widget);
        break;
    }
    }
}

// A line row takes the width the table has and asks for none: the path
// column fits the paths, never the lines.
QSize CMatchingLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const auto *model = qobject_cast<const CMatchingLinesModel *>(index.model());
    if (!model || !model->IsFoldable() || index.column() != 0)
        return size;
    if (model->RowKind(index.row()) != CMatchingLinesModel::FileRowKind)
        size.setWidth(0);
    else
        size.rwidth() += ArrowWidth(option);
    return size;
}

void CMatchingLineDelegate::PaintFileCell(QPainter *painter, QStyleOptionViewItem option,
                                          const QModelIndex &index, bool unfolded) const
{
    QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
    QStyleOption arrow;
    arrow.rect = QRect(option.rect.left(), option.rect.top(), ArrowWidth(option), option.rect.height());
    arrow.palette = option.palette;
    arrow.state = QStyle::State_Enabled | (option.state & QStyle::State_Selected);
    if (option.state & QStyle::State_Selected)
        arrow.palette.setColor(QPalette::ButtonText, option.palette.color(QPalette::HighlightedText));
    style->drawPrimitive(unfolded ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowRight, &arrow,
                         painter, option.widget);
    option.rect.setLeft(option.rect.left() + ArrowWidth(option));
    QStyledItemDelegate::paint(painter, option, index);
}

// The number in the room of seven digits, grey, then the text.
void CMatchingLineDelegate::PaintLine(QPainter *painter, const QStyleOptionViewItem &option,
                                      const CMatchingLine &line) const
{
    QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    QStyleOptionViewItem background = option;
    background.text.clear();
    background.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
    const bool selected = option.state & QStyle::State_Selected;
    QRect room = option.rect.adjusted(2 * ArrowWidth(option), 0, -ArrowWidth(option), 0);
    // Shortened to what the table shows of the row, not to the row's whole width.
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        room.setRight(qMin(room.right(), view->viewport()->width() - ArrowWidth(option)));
    const int numberWidth = option.fontMetrics.horizontalAdvance(QStringLiteral("0000000"));
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setOpacity(selected ? 1.0 : 0.6);
    painter->drawText(QRect(room.left(), room.top(), numberWidth, room.height()),
                      Qt::AlignRight | Qt::AlignVCenter, QLocale().toString(line.Number));
    painter->setOpacity(1.0);
    room.setLeft(room.left() + numberWidth + ArrowWidth(option));
    PaintRuns(painter, option, room, line);
    painter->restore();
}

// The text cut to the room, in runs: plain, or a keyword in its colour on grey.
void CMatchingLineDelegate::PaintRuns(QPainter *painter, const QStyleOptionViewItem &option, QRect room,
                                      const CMatchingLine &line)
{
    const QString shown = option.fontMetrics.elidedText(line.Text, Qt::ElideRight, room.width());
    // An elided text ends with "…" in place of what was cut.
    const int kept = shown == line.Text ? shown.size() : qMax(0, shown.size() - 1);
    const QColor plain = option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    int at = 0;
    int x = room.left();
    const auto draw = [&](int end, const QColor &colour, bool keyword) {
        const QString run = shown.mid(at, end - at);
        const int width = option.fontMetrics.horizontalAdvance(run);
        const QRect box(x, room.top(), width, room.height());
        if (keyword)
            painter->fillRect(box.adjusted(0, 1, 0, -1), Qt::lightGray);
        painter->setPen(colour);
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, run);
        x += width;
        at = end;
    };
    for (const CHighlightRange &keyword : line.Keywords) {
        if (keyword.Start + keyword.Length > kept)
            break;
        if (keyword.Start < at)
            continue;
        draw(keyword.Start, plain, false);
        draw(keyword.Start + keyword.Length, KeywordColour(keyword.Rank), true);
    }
    draw(shown.size(), plain, false);
}
