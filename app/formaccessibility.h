#ifndef LINTRA_FORMACCESSIBILITY_H
#define LINTRA_FORMACCESSIBILITY_H

// What screen readers learn of the main window's form beyond what Qt tells
// them of each kind of widget: the status line under the search controls is
// a status bar, so that its progress and summary texts are announced as they
// change. The names of the controls are the form's texts (Ui_CLintra).
//
// Installed once per process, before the form's widgets exist.
void InstallFormAccessibility();

#endif
