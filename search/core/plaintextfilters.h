#ifndef LINTRA_PLAINTEXTFILTERS_H
#define LINTRA_PLAINTEXTFILTERS_H

#include <QStringList>
#include <QVariant>

// The wildcard patterns that make a file name a plain-text file, matched
// against the whole name, case-insensitively. Such a file is read as text
// whatever its bytes; other files only when their content says so. The list is the program's only copy of it;
// README.md shows it.

// The built-in patterns, in order: the 89 of the first versions, then the
// plain-text types of today's Linux desktops, then the well-known names that
// have no extension ("README", "Makefile", ...).
QStringList PlainTextFilePatterns();

// The built-in patterns followed by those the user adds in the settings file
// (the key of PlainTextPatternsSettingKey: a list, or one text of patterns
// separated by commas or blanks). Patterns already listed, empty ones and "*"
// (which would make every file plain text) are left out.
QStringList PlainTextFilePatterns(const QVariant &userPatterns);

// The names of known binary types (images, archives, executables, ...),
// which a full-text search skips unopened where it judges other files by
// their content.
QStringList BinaryFilePatterns();

// "MorePlainTextFilePatterns".
QString PlainTextPatternsSettingKey();

#endif
