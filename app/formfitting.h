#ifndef LINTRA_FORMFITTING_H
#define LINTRA_FORMFITTING_H

#include <QSize>

class QComboBox;
class QLabel;
class Ui_CLintra;
class QTextEdit;
class QWidget;

// Sizes that follow the texts. The form and the dialogs were drawn in pixels
// for one font at 96 dpi; those pixels are kept as the least size, and grow
// wherever a text needs more in the user's fonts, dpi and language.

// Pixels of the 96-dpi drawing in the widget's dpi (never fewer).
int ScaledToDpi(int pixels, const QWidget *widget);

// The outer size a text view needs to show its whole document without
// scroll bars: lines as long as they are, up to maxWidth (outer), beyond
// which they wrap; as high as the text then is.
QSize TextViewSizeForDocument(const QTextEdit *view, int maxWidth);

// Gives a read-only text view a fixed size that shows its whole document:
// at least minimum (outer size), wider for longer lines up to maxWidth,
// higher for more lines.
void FitTextViewToDocument(QTextEdit *view, const QSize &minimum, int maxWidth);

// Gives the main window a least size: as large as its content needs and at
// least as large as drawn, with even margins round the content; a longer
// text makes it grow, never clips. The user may make the window larger: the
// results table and the content pane take the room, the controls above them
// keep their sizes. The notice line is as high as its text. What a search
// shows later (its summary, the heading and charset selector over the
// content pane) has its room from the start, so that the window does not jump.
// The heading and its charset selector are the window's own, beside the form.
void FitMainWindowToTexts(QWidget *window, Ui_CLintra *ui, QLabel *heading, QComboBox *charsets);

// The rows of controls above the results as wide as the least window gives
// them; again after their texts change.
void FitControlRowsToWindow(QWidget *window, Ui_CLintra *ui);

#endif
