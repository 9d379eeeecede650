#include "app/messagebox.h"

#include <QFont>
#include <QIcon>

namespace {

TMessageBoxAnswerer &Answerer()
{
    static TMessageBoxAnswerer answerer;
    return answerer;
}

} // namespace

QIcon ProgramIcon()
{
    return QIcon(QStringLiteral(":/images/norvane.ico"));
}

QFont ProgramBoxFont()
{
    return QFont(QStringLiteral("verdana"));
}

QMessageBox::StandardButton ShowMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons, Qt::TextFormat format)
{
    QMessageBox box;
    box.setFont(ProgramBoxFont());
    box.setIcon(icon);
    box.setWindowIcon(ProgramIcon());
    box.setWindowTitle(title);
    box.setTextFormat(format);
    box.setText(text);
    box.setStandardButtons(buttons);
    if (Answerer())
        return Answerer()(box);
    box.exec();
    // exec() gives the button's value only for standard buttons; the clicked
    // button says it in every case, and is null when the box was closed.
    if (QAbstractButton *clicked = box.clickedButton())
        return box.standardButton(clicked);
    return box.standardButton(box.escapeButton());
}

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer)
{
    TMessageBoxAnswerer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}
