#ifndef LINTRA_KEYWORDMATCHER_H
#define LINTRA_KEYWORDMATCHER_H

#include <QString>
#include <QStringList>
#include <QVector>

#include "search/core/keywordquery.h"
#include "search/core/textfilescan.h"

// Decides whether one file qualifies for a search: every keyword must be found
// in at least one of the subjects fed to it since the last Reset (the lines of
// the file, or its name alone). Several keywords thus combine with AND and may
// be found in different lines. A line read in pieces of linePieceLength
// characters is searched across the cuts: a piece of exactly that length is
// taken as continued by the next subject (an empty one where the line ends
// right there), as the line scans read lines. It reads no file and knows no
// window.
class CKeywordMatcher
{
public:
    // A substring test per keyword, without regard to case, for file names.
    static CKeywordMatcher ForFileNames(const CKeywordQuery &query);
    // Each keyword as the query matches it, for the lines of a file.
    static CKeywordMatcher ForFullText(const CKeywordQuery &query, int linePieceLength = MaxLineLength);

    // Forgets the keywords found so far: call it before each file.
    void Reset();
    // True once every keyword has been found; a matcher without keywords never matches.
    bool Feed(const QString &subject);
    // The same for a subject that is all ASCII, as it is stored.
    bool FeedAscii(const QByteArray &subject);
    // Follows a change of the user's whole-word choice (full text only); the
    // keywords already found stay found.
    void SetMatchWholeWord(bool matchWholeWord);
    // From now on an expression runs only on subjects that contain its
    // keyword's text, with ASCII letters compared without case, or a
    // character outside ASCII that folds to an ASCII letter (the KELVIN SIGN
    // to "k"): where the keyword is plain ASCII, no match can lack both, and
    // the comparison costs far less than folding the subject. Feed's answers
    // stay the same.
    void SkipSubjectsWithoutKeywordText();

private:
    CKeywordMatcher(const CKeywordQuery &query, bool fullText, int linePieceLength);
    void BuildExpressions();
    // Tests the keywords not found yet on matches that start at from or
    // later and, in a piece that is continued, leave room for the code point
    // after them.
    bool FeedPiece(const QString &subject, int from, bool continued);
    template <typename Unit> bool FeedAsciiName(const Unit *name, int size);

    CKeywordQuery Query;
    bool FullText;
    QVector<CKeywordExpression> Expressions;
    QVector<QByteArray> RequiredTexts; // per keyword, lower case; empty where nothing is required
    // File names: the folded keywords when all are ASCII, else empty.
    QVector<QByteArray> AsciiKeywords;
    QVector<bool> Found;
    int MissingCount = 0;
    int LinePieceLength = 0; // 0: every subject is whole
    int LongestKeyword = 0;
    // The end of the pieces of the current line so far, as far as a match
    // still to be found may reach back, with the code point before it.
    QString Carry;
    bool CarryFromLineStart = true;
};

#endif
