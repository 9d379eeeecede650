#ifndef LINTRA_PLAINTEXTCHOICE_H
#define LINTRA_PLAINTEXTCHOICE_H

#include <QStringList>

#include "search/core/filenamefilter.h"

// How a full-text search treats a regular file, from its name alone.
enum TEnumTextChoice
{
    TextByName,    // on the plain-text list: read as text, whatever its bytes
    TextByContent, // read as text unless its first bytes show it is not
    TextNever      // never opened
};

// Sorts a directory's files for a full-text search. With the choice by
// content off, only the listed names are read, as in the first versions;
// with it on, every file is a candidate except the known binary types.
class CPlainTextChoice
{
public:
    CPlainTextChoice(const QStringList &plainTextPatterns, bool byContent);

    TEnumTextChoice ChoiceFor(const QString &name) const;
    // Every regular file is listed for the choice to sort them.
    bool ByContent() const { return Content; }

private:
    CFileNameFilter Listed;
    CFileNameFilter Binary;
    bool Content;
};

#endif
