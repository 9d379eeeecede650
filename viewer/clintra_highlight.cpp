// The main window's part of keyword highlighting: a fresh document for each
// text shown, coloured as viewer/core/keywordhighlights plans it.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QBrush>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>

#include "viewer/core/keywordhighlights.h"
#include "viewer/core/panelayout.h"

void CLintra::ShowContentWithHighlights(const CKeywordQuery &query, const QString &text)
{
    if (text.isEmpty())
        return;
    CContentEdit *pane = ui->FileContent_TextEdit;
    QTextDocument *document = new QTextDocument(pane);
    // Nobody edits or undoes here; the undo stack would only hold every format change.
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(pane->currentFont());
    document->setPlainText(text);

    const CHighlightPlan plan = PlanKeywordHighlights(DocumentPlainText(text), query);
    QTextCursor cursor(document);
    QTextCharFormat format = cursor.charFormat();
    format.setBackground(QBrush(Qt::lightGray, Qt::SolidPattern));
    for (const CHighlightRange &range : plan.Ranges) {
        format.setForeground(QBrush(KeywordColour(range.Rank), Qt::SolidPattern));
        cursor.setPosition(range.Start);
        cursor.setPosition(range.Start + range.Length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    // Coloured before it is shown, so the pane lays the text out once.
    ReplaceContentDocument(document, HasLineTooLongToWrap(text));
    cursor.setPosition(plan.CaretPosition);
    pane->setTextCursor(cursor);
}

// The replaced document is deleted: clicking through results must not pile
// up documents in the pane.
void CLintra::ReplaceContentDocument(QTextDocument *document, bool unwrapped)
{
    CContentEdit *pane = ui->FileContent_TextEdit;
    QPointer<QTextDocument> previous = pane->document();
    // Switch the wrapping while the cheaper of the two documents is on show:
    // the other may hold a line far too long to wrap.
    if (unwrapped)
        pane->setLineWrapMode(QTextEdit::NoWrap);
    pane->setDocument(document);
    if (!unwrapped)
        pane->setLineWrapMode(QTextEdit::WidgetWidth);
    if (previous && previous != document && previous->parent() == pane)
        delete previous;
}
