#include "viewer/ccontentedit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

CContentEdit::CContentEdit(QWidget *parent)
    : QTextEdit(parent)
{
    BlockActions.clear();
    TargetWindow = window();
    CreateBlockActions();
    PartialDocument = false;
}

CContentEdit::~CContentEdit()
{
    DestroyBlockActions();
}

void CContentEdit::CreateBlockActions()
{
    struct BlockActionText
    {
        const char *text;
        const char *shortcut;
        const char *statusTip;
        const char *slot;
    };
    static const BlockActionText table[] = {
        {QT_TR_NOOP("&Previous Block of Content"), "Ctrl+P",
         QT_TR_NOOP(
             "<font face=\"verdana\">Go to the previous block of content in the selected file.</font>"),
         SLOT(GotoContentEditPreviousBlock())},
        {QT_TR_NOOP("&Next Block of Content"), "Ctrl+N",
         QT_TR_NOOP("<font face=\"verdana\">Go to the next block of content in the selected file.</font>"),
         SLOT(GotoContentEditNextBlock())},
    };
    for (const BlockActionText &entry : table) {
        QAction *action = new QAction(tr(entry.text), this);
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        action->setStatusTip(tr(entry.statusTip));
        // The keys work wherever the focus is in the pane, as the menu says.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, SIGNAL(triggered()), TargetWindow, entry.slot);
        BlockActions.append(action);
    }
}

void CContentEdit::DestroyBlockActions()
{
    // The pane usually goes with its window, which is then no longer a
    // CLintra: disconnect by receiver rather than by slot name.
    for (QAction *action : qAsConst(BlockActions))
        disconnect(action, &QAction::triggered, TargetWindow, nullptr);
    qDeleteAll(BlockActions);
    BlockActions.clear();
}

QMenu *CContentEdit::CreateContextMenu()
{
    QFont font("verdana");
    QMenu *menu = createStandardContextMenu();
    if (PartialDocument) {
        menu->setFont(font);
        menu->addSeparator();
        for (QAction *action : qAsConst(BlockActions))
            menu->addAction(action);
    }
    return menu;
}

void CContentEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = CreateContextMenu();
    menu->exec(event->globalPos());
    delete menu;
}
