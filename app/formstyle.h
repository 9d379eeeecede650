#ifndef LINTRA_FORMSTYLE_H
#define LINTRA_FORMSTYLE_H

// The desktop's widget style, with one rule of the program's on top: a push
// button keeps room round its text, in every language and at every dpi.
// Some styles (Qt's Fusion, used where the desktop names none) give a button
// only a pixel or two beside its text, so the widest button of a column,
// which sets the column's width, had its text touching its frame.
//
// Installed once, on the application, after it is created.
void InstallFormStyle();

#endif
