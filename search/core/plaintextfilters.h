#ifndef LINTRA_PLAINTEXTFILTERS_H
#define LINTRA_PLAINTEXTFILTERS_H

#include <QStringList>

// The 89 wildcard patterns that make a file name a plain-text file, in order.
// A full-text search opens no other file.
QStringList PlainTextFilePatterns();

#endif
