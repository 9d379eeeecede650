#include "viewer/contentdocument.h"

#include <QBrush>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "viewer/core/panelayout.h"

void ShowPlannedText(QTextEdit *pane, const QString &documentText, const CHighlightPlan &plan)
{
    if (documentText.isEmpty())
        return;
    QTextDocument *document = new QTextDocument(pane);
    // Nobody edits or undoes here; the undo stack would only hold every format change.
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(pane->currentFont());
    document->setPlainText(documentText);
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
    ReplaceContentDocument(pane, document, HasLineTooLongToWrap(documentText));
    cursor.setPosition(plan.CaretPosition);
    pane->setTextCursor(cursor);
}

void ShowTextWithHighlights(QTextEdit *pane, const QString &text, const CKeywordQuery &query)
{
    const QString documentText = DocumentPlainText(text);
    ShowPlannedText(pane, documentText, PlanKeywordHighlights(documentText, query));
}

void ReplaceContentDocument(QTextEdit *pane, QTextDocument *document, bool unwrapped)
{
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

void ShowRunInMiddle(QTextEdit *pane, int start, int length)
{
    QTextCursor cursor(pane->document());
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    QScrollBar *bar = pane->verticalScrollBar();
    const int middle = pane->viewport()->height() / 2;
    bar->setValue(bar->value() + pane->cursorRect(cursor).center().y() - middle);
}
