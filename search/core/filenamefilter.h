#ifndef LINTRA_FILENAMEFILTER_H
#define LINTRA_FILENAMEFILTER_H

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QVector>

// Tells whether a file name matches one of a list of wildcard filters, with
// exactly the outcome of QDir's name filters (whole name, case-insensitive),
// but without running a regular expression per filter and name: filters of
// the form "*.ext" become one look-up of the name's extension. Names whose
// extension is not plain ASCII, and filters of any other form, still go
// through the expressions QDir would build.
class CFileNameFilter
{
public:
    explicit CFileNameFilter(const QStringList &wildcards);

    bool Matches(const QString &name) const;
    // Whether every name matches, so that a name need not be decoded to know.
    bool MatchesEveryName() const { return MatchesAll; }

private:
    bool MatchesExpressions(const QString &name, const QVector<QRegularExpression> &expressions) const;

    bool MatchesAll = false;
    QSet<QString> Extensions; // lower case, without the dot
    QSet<QString> Names;      // whole names, lower case
    QVector<QRegularExpression> AllExpressions;
    QVector<QRegularExpression> OtherExpressions; // the filters that are not "*.ext"
};

#endif
