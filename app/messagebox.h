#ifndef LINTRA_MESSAGEBOX_H
#define LINTRA_MESSAGEBOX_H

#include <QFont>
#include <QIcon>
#include <QMessageBox>
#include <QString>

#include <functional>

// The program's own look in its windows and boxes, kept in one place: the
// icon of the window, the tray and every dialog, and the font of its boxes.
QIcon ProgramIcon();
QFont ProgramBoxFont();

// The one way the program tells or asks the user something in a box: a
// QMessageBox without parent in the program's font and window icon, with a
// standard icon, a title, a text and its buttons, run modally. Returns the
// button chosen (the escape button when the box was closed otherwise).
QMessageBox::StandardButton ShowMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           Qt::TextFormat format = Qt::AutoText);

// For tests: while set, every box is built as above and handed to the
// answerer instead of being run, and what the answerer returns is the box's
// answer. A test then never waits on a box nor searches the windows for one.
// An empty function runs the boxes again. Returns the answerer it replaces.
using TMessageBoxAnswerer = std::function<QMessageBox::StandardButton(QMessageBox &box)>;
TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);

#endif
