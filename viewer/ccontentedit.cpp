#include "viewer/ccontentedit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

CContentEdit::CContentEdit(QWidget *parent)
    : QTextEdit(parent)
{
    TargetWindow = window();
    CreateBlockActions();
    CreateMatchActions();
    Position_Label = new QLabel(this);
    Position_Label->setObjectName(QStringLiteral("Position_Label"));
    Position_Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Position_Label->setContentsMargins(4, 0, 4, 0);
    Position_Label->setAutoFillBackground(true);
    // The position, the match and a note may not fit on one line of a narrow pane.
    Position_Label->setWordWrap(true);
    Position_Label->hide();
    // The position belongs to the text on show: when that goes, so does it.
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (document()->isEmpty())
            SetPositionText(QString());
    });
}

void CContentEdit::SetPositionText(const QString &text)
{
    Position_Label->setText(text);
    Position_Label->setVisible(!text.isEmpty());
    PlacePositionLabel();
}

int CContentEdit::PositionLabelHeight() const
{
    if (Position_Label->text().isEmpty())
        return 0;
    const int height = Position_Label->heightForWidth(viewport()->width());
    return height > 0 ? height : Position_Label->sizeHint().height();
}

// Below the text, above the horizontal scroll bar if there is one.
void CContentEdit::PlacePositionLabel()
{
    const int height = PositionLabelHeight();
    if (viewportMargins().bottom() != height)
        setViewportMargins(0, 0, 0, height);
    const QRect text = viewport()->geometry();
    Position_Label->setGeometry(text.left(), text.bottom() + 1, text.width(), height);
}

// A new width wraps the lines anew, and the same scroll offset would then
// show other lines: the line on show (the caret's, where it is in sight,
// else the top one) keeps its place in the pane. Taken before the frame
// lays out its viewport, which wraps the text already.
bool CContentEdit::event(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        RememberLineOnShow();
    return QTextEdit::event(event);
}

void CContentEdit::RememberLineOnShow()
{
    const int height = qMax(1, viewport()->height());
    LineOnShow = textCursor();
    int offset = cursorRect(LineOnShow).top();
    if (offset < 0 || offset >= height) {
        LineOnShow = cursorForPosition(QPoint(0, 0));
        offset = cursorRect(LineOnShow).top();
    }
    LineOnShow.clearSelection();
    LineOnShowShare = double(offset) / height;
}

void CContentEdit::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    PlacePositionLabel();
    if (document()->isEmpty() || LineOnShow.document() != document())
        return;
    const int wanted = int(LineOnShowShare * viewport()->height());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + cursorRect(LineOnShow).top() - wanted);
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
        void (CContentEdit::*request)();
    };
    static const BlockActionText table[] = {
        {QT_TR_NOOP("&Previous Block of Content"), "Ctrl+P",
         QT_TR_NOOP(
             "<font face=\"verdana\">Go to the previous block of content in the selected file.</font>"),
         &CContentEdit::PreviousBlockRequested},
        {QT_TR_NOOP("&Next Block of Content"), "Ctrl+N",
         QT_TR_NOOP("<font face=\"verdana\">Go to the next block of content in the selected file.</font>"),
         &CContentEdit::NextBlockRequested},
    };
    for (const BlockActionText &entry : table) {
        QAction *action = new QAction(tr(entry.text), this);
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        action->setStatusTip(tr(entry.statusTip));
        // The keys work wherever the focus is in the pane, as the menu says.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, entry.request);
        BlockActions.append(action);
    }
}

// F3 and Ctrl+G as in browsers and editors; the menu shows the first key.
void CContentEdit::CreateMatchActions()
{
    struct MatchActionText
    {
        const char *text;
        const char *keys[2];
        void (CContentEdit::*request)();
    };
    static const MatchActionText table[] = {
        {QT_TR_NOOP("Pre&vious Match"), {"Shift+F3", "Ctrl+Shift+G"}, &CContentEdit::PreviousMatchRequested},
        {QT_TR_NOOP("Next &Match"), {"F3", "Ctrl+G"}, &CContentEdit::NextMatchRequested},
    };
    for (const MatchActionText &entry : table) {
        QAction *action = new QAction(tr(entry.text), this);
        action->setShortcuts({QKeySequence(QString::fromLatin1(entry.keys[0])),
                              QKeySequence(QString::fromLatin1(entry.keys[1]))});
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, entry.request);
        MatchActions.append(action);
    }
}

void CContentEdit::DestroyBlockActions()
{
    for (QAction *action : qAsConst(BlockActions))
        disconnect(action, &QAction::triggered, this, nullptr);
    qDeleteAll(BlockActions);
    BlockActions.clear();
}

QMenu *CContentEdit::CreateContextMenu()
{
    QFont font("verdana");
    QMenu *menu = createStandardContextMenu();
    menu->addSeparator();
    for (QAction *action : qAsConst(MatchActions))
        menu->addAction(action);
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
