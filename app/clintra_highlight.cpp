// The main window's part of keyword highlighting: a text shown with the
// window's keywords, coloured as viewer/core/keywordhighlights plans it.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include "viewer/contentdocument.h"
#include "viewer/core/keywordhighlights.h"

void CLintra::ShowContentWithHighlights(const CKeywordQuery &query, const QString &text)
{
    const QString documentText = DocumentPlainText(text);
    ShowPlannedText(ui->FileContent_TextEdit, documentText, PlanKeywordHighlights(documentText, query));
}
