#ifndef LINTRA_KEYWORDHIGHLIGHTS_H
#define LINTRA_KEYWORDHIGHLIGHTS_H

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

class CKeywordQuery;

// One coloured run of the shown text. Rank is the keyword's place in the
// order of first occurrences; its colour is KeywordColour(Rank).
struct CHighlightRange
{
    int Start = 0;
    int Length = 0;
    int Rank = 0;
};

// Which runs of a text get which colour, and where the caret goes: at the
// first occurrence of the keyword that first occurs furthest into the text,
// or at 0 when no keyword occurs.
struct CHighlightPlan
{
    QList<CHighlightRange> Ranges;
    int CaretPosition = 0;
};

// Blue, red, yellow, blue, ... by rank.
Qt::GlobalColor KeywordColour(int rank);

// The text as a plain-text document holds it, so that positions agree with
// the document's: CR LF is one line break there. Control characters but tab
// and the line breaks are shown as the replacement character, one for one:
// the usual fonts have no glyph for them, and looking for one in every
// fallback font held the window for a block of zero bytes several times as
// long as laying out the same block of letters.
QString DocumentPlainText(const QString &text);

// The highlights of `documentText` (as DocumentPlainText gives it). Each
// keyword is looked for as the query matches it; a keyword whose first
// match starts where an earlier keyword's does takes that place. From each
// first match on, every match of the keyword is coloured: exactly what the
// search finds, whole words or substrings.
CHighlightPlan PlanKeywordHighlights(const QString &documentText, const CKeywordQuery &query);

// Whether any keyword of the query matches somewhere in the text, as a full-text search finds it.
bool TextContainsAnyKeyword(const CKeywordQuery &query, const QString &text);

#endif
