#ifndef LINTRA_SEARCHWHAT_H
#define LINTRA_SEARCHWHAT_H

// What a search matches: file names, or the lines of plain-text files.
enum TEnumSearchWhat
{
    SearchWhatFilename = 0,
    SearchWhatFullText = 1
};

#endif
