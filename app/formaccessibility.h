#ifndef LINTRA_FORMACCESSIBILITY_H
#define LINTRA_FORMACCESSIBILITY_H

// What screen readers learn of the main window's form beyond what Qt tells
// them of each kind of widget:
// - the status line under the search controls is a status bar, so that its
//   progress and summary texts are announced as they change;
// - a combo box that only offers a choice (the charset selectors) is named
//   by its label, and its current entry is its value (Qt names it by its
//   current entry on Linux, so "ISO-8859-1" was all one heard);
// - a tool-tip is also the control's description, as plain text (Qt would
//   pass on its HTML markup).
// The names of the controls are the form's texts (Ui_CLintra).
//
// Installed once per process, before the form's widgets exist.
void InstallFormAccessibility();

#endif
