#ifndef LINTRA_WALKENTRYFILTER_H
#define LINTRA_WALKENTRYFILTER_H

#include <QRegularExpression>
#include <QStringList>
#include <QVector>

// Which entries of a folder a search walk sees at all, whatever kind of
// search it is: hidden files and folders (names beginning with a dot) only
// when asked for, and no folder whose name matches one of the folders to
// skip (wildcards such as "node_modules" or "build*", matched against the
// whole name). A folder left out is neither entered nor counted. What a
// candidate file is, is the name filters' business.
class CWalkEntryFilter
{
public:
    explicit CWalkEntryFilter(bool includeHidden = false, const QStringList &skippedFolders = QStringList());

    // The wildcards of a "Skip folders" text: separated by blanks or commas.
    static QStringList ParseFolderPatterns(const QString &text);

    bool IncludesHidden() const { return Hidden; }
    // Whether a file of this name may be listed; "." and ".." are no files.
    bool ListsFile(const char *name) const { return Hidden || name[0] != '.'; }
    bool EntersFolder(const QString &name) const;

private:
    bool Hidden;
    QVector<QRegularExpression> Skipped;
};

#endif
