#ifndef LINTRA_CCONTENTEDIT_H
#define LINTRA_CCONTENTEDIT_H

#include <QList>
#include <QTextCursor>
#include <QTextEdit>

class QAction;
class QLabel;

// The read-only pane that shows a result. It knows nothing of files: it only
// carries the flag that says one block of a bigger file is on show, and then
// adds the two block-paging entries to its context menu, and it offers the
// keys and entries that go to the next and previous match. They only ask:
// the window that shows the file connects to the signals.
class CContentEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit CContentEdit(QWidget *parent = nullptr);
    ~CContentEdit() override;

    QList<QAction *> BlockActions;
    QWidget *TargetWindow = nullptr;
    bool PartialDocument = false;

    // A line of text in a strip below the text, such as where the text
    // on show lies in its file; an empty text removes the strip.
    void SetPositionText(const QString &text);
    QLabel *Position_Label = nullptr;

    // The menu the pane would show on a right click; exposed for tests.
    QMenu *CreateContextMenu();

    // Next and previous match, with their keys; always in the menu.
    QList<QAction *> MatchActions;

signals:
    void PreviousBlockRequested();
    void NextBlockRequested();
    void PreviousMatchRequested();
    void NextMatchRequested();

protected:
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateBlockActions();
    void CreateMatchActions();
    void DestroyBlockActions();
    void PlacePositionLabel();
    int PositionLabelHeight() const;
    void RememberLineOnShow();

    // Where the line on show is, kept across a change of the pane's size.
    QTextCursor LineOnShow;
    double LineOnShowShare = 0;
};

#endif
