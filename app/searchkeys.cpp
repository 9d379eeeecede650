#include "app/searchkeys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QShortcut>

#include "search/cresultstable.h"

CSearchKeys::CSearchKeys(QWidget *window, const CControls &controls)
    : QObject(window)
    , Controls(controls)
    , LastSearch(controls.FullTextSearch)
    , Escape(new QShortcut(QKeySequence(Qt::Key_Escape), window))
{
    for (QAbstractButton *button : {Controls.FilenameSearch, Controls.FullTextSearch})
        connect(button, &QAbstractButton::clicked, this, [this, button] { LastSearch = button; });
    // Before the box itself sees Enter, which would add the text to its list.
    for (QComboBox *box : {Controls.Directory, Controls.Keywords})
        box->installEventFilter(this);
    // Only while a search runs: elsewhere Escape belongs to the focused control.
    Escape->setEnabled(false);
    connect(Escape, &QShortcut::activated, Controls.Cancel, &QAbstractButton::click);
}

void CSearchKeys::SearchStarted()
{
    Escape->setEnabled(true);
}

void CSearchKeys::SearchEnded()
{
    Escape->setEnabled(false);
    // As a click's focus, which makes no row current: the current row is
    // the one on show, and the first key (Down) shows the first row; until
    // then the pane keeps its hint.
    if (Controls.Results->rowCount() > 0)
        Controls.Results->setFocus(Qt::MouseFocusReason);
}

bool CSearchKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // A search that runs has disabled the buttons.
    if (LastSearch->isEnabled())
        LastSearch->click();
    return true;
}
