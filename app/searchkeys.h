#ifndef LINTRA_SEARCHKEYS_H
#define LINTRA_SEARCHKEYS_H

#include <QObject>

class QAbstractButton;
class QComboBox;
class QShortcut;
class QWidget;
class CResultsTable;

// The search from the keyboard: Enter in the directory or keyword box
// presses the search button of the kind last started (full text before
// any), Escape presses Cancel while a search runs, and a finished search
// hands the keyboard to the results. It only presses the window's own
// buttons, so a search from the keyboard is the search a click starts.
class CSearchKeys : public QObject
{
public:
    struct CControls
    {
        QComboBox *Directory;
        QComboBox *Keywords;
        QAbstractButton *FilenameSearch;
        QAbstractButton *FullTextSearch;
        QAbstractButton *Cancel;
        CResultsTable *Results;
    };

    CSearchKeys(QWidget *window, const CControls &controls);

    void SearchStarted();
    void SearchEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CControls Controls;
    QAbstractButton *LastSearch;
    QShortcut *Escape;
};

#endif
