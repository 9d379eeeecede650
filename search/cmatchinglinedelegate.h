#ifndef LINTRA_CMATCHINGLINEDELEGATE_H
#define LINTRA_CMATCHINGLINEDELEGATE_H

#include <QStyledItemDelegate>

struct CMatchingLine;

// Draws the rows of a CMatchingLinesModel: a file row of a full-text search
// with the arrow that unfolds it, and a line row across the whole table: its
// number, then its text shortened to the width, the keywords coloured as the
// content pane colours them.
class CMatchingLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The arrow's room at the left of a file row's first cell.
    static int ArrowWidth(const QStyleOptionViewItem &option);

private:
    void PaintFileCell(QPainter *painter, QStyleOptionViewItem option, const QModelIndex &index,
                       bool unfolded) const;
    void PaintLine(QPainter *painter, const QStyleOptionViewItem &option, const CMatchingLine &line) const;
    static void PaintRuns(QPainter *painter, const QStyleOptionViewItem &option, QRect room,
                          const CMatchingLine &line);
};

#endif
