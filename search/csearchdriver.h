#ifndef LINTRA_CSEARCHDRIVER_H
#define LINTRA_CSEARCHDRIVER_H

#include <QObject>
#include <QStringList>

#include "search/core/keywordquery.h"
#include "search/core/searchwhat.h"
#include "text/core/unmarkedtext.h"

class QComboBox;
class QDir;
class QLabel;
class QWidget;
class CResultViewer;
class CSearchKeys;
class CSearchRun;
class Ui_CLintra;

// The search as the window drives it: the directory and keyword histories,
// the match mode (kept in its radio buttons only), the heading above the
// pane, starting and cancelling the search and what its summary tells the
// user. The search itself runs on threads of its own (CSearchRun); the
// viewer and the tray only hear from the driver what to show.
class CSearchDriver : public QObject
{
    Q_OBJECT

public:
    // The heading above the content pane, and the viewer whose pane a new
    // search clears.
    struct CPane
    {
        QLabel *Heading;
        QComboBox *Charset;
        CResultViewer *Viewer;
    };

    CSearchDriver(QWidget *window, Ui_CLintra *ui, const CPane &pane, const QString &localeName,
                  const CUnmarkedTextCharset &charset);

    // The plain-text patterns, and whether a file without one is judged by its content.
    void SetPlainTextChoice(const QStringList &patterns, bool byContent);
    // The kind of the search whose rows are listed.
    TEnumSearchWhat What() const { return SearchWhat; }
    // The keywords as they stand in the box now, in the chosen mode.
    CKeywordQuery TypedQuery() const;
    bool SearchRunning() const;
    // Rows that no search found, as a search of the given kind lists them.
    void AddResultRows(const QStringList &paths, TEnumSearchWhat what);
    // Gives up a running search; ends the process at once if its threads
    // are stuck in the file system (called after the settings are saved).
    void EndSearchForQuit();

    void SearchFilenames();
    void SearchFullText();
    void OnKeywordsComboBoxCarriageReturn(QString s, TEnumSearchWhat e);
    void Cancel();
    void MatchWholeWords(bool whole);
    void OnPathComboBoxCarriageReturn(QString s);
    void ShowStartDirectory(const QString &directory);
    void BrowseDirectory();
    void ClearResult();

signals:
    // What the last search found, for the tray; empty while one runs.
    void SummaryChanged(const QString &summary);

private:
    QWidget *Window;
    Ui_CLintra *ui;
    CPane Pane;
    CSearchRun *Run = nullptr;
    // Enter, Escape and the focus after a search.
    CSearchKeys *Keys = nullptr;
    QStringList PlainTextFileFilters;
    bool PlainTextByContent = true;
    bool WordSeparatedLanguage = false;
    // How the search reads text without a byte-order mark.
    CUnmarkedTextCharset UnmarkedCharset;
    TEnumSearchWhat SearchWhat = SearchWhatFilename;
    // What the running search's summary names.
    QString SearchDirectory;
    QString SearchKeywords;

    void CreateSearchRun();
    int CountKeywords(const QString &text) const;
    void SetInitialMatchingMode();
    bool MatchWholeWord() const;
    void StartSearch(const QDir &dir, const CKeywordQuery &query, TEnumSearchWhat what);
    void SetUpResultsTable();
    void SetResultsHeaderLabels();
    bool ShowResultContentHeading();
    void SelectSystemResultCharset();
    void RememberKeywords(const QString &typed, const QString &keywords);
    void ResetForNewSearch();
    void ShowInvalidPathMessage();
    QString TypedDirectory() const;
    void ShowSearchSummary(const QString &directory, const QString &keywords, int found, int total,
                           TEnumSearchWhat what);
};

#endif
