#ifndef LINTRA_CONTENTDOCUMENT_H
#define LINTRA_CONTENTDOCUMENT_H

#include <QString>

#include "viewer/core/keywordhighlights.h"

class QTextDocument;
class QTextEdit;

// Gives the pane a fresh plain-text document holding the text (as
// DocumentPlainText gives it), coloured as the plan says, with the caret at
// the plan's caret position. An empty text changes nothing.
void ShowPlannedText(QTextEdit *pane, const QString &documentText, const CHighlightPlan &plan);

// Shows the text (a file's name, say) with the query's keywords coloured.
void ShowTextWithHighlights(QTextEdit *pane, const QString &text, const CKeywordQuery &query);

// Puts the document in the pane and deletes the one it replaces: clicking
// through results must not pile up documents in the pane.
void ReplaceContentDocument(QTextEdit *pane, QTextDocument *document, bool unwrapped);

// Selects the run of text and scrolls it to the middle of the pane.
void ShowRunInMiddle(QTextEdit *pane, int start, int length);

#endif
