#ifndef LINTRA_PANELAYOUT_H
#define LINTRA_PANELAYOUT_H

#include <QString>

// Lines longer than this are not wrapped in the content pane: wrapping a
// line of hundreds of thousands of characters without blanks takes the text
// layout minutes, laying it out unwrapped a fraction of a second.
const int LongestWrappedLine = 10000;

// Whether some line of the text is longer than LongestWrappedLine.
bool HasLineTooLongToWrap(const QString &text);

#endif
