// The search driver: the search buttons, the histories, the heading and the
// summary, and the results table. The search itself runs on threads of its
// own (CSearchRun), which list, examine, open and read; the driver only
// starts it and shows what it sends.

#include "search/csearchdriver.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTextCodec>
#include <QThread>
#include <QUrl>

#include <cstdio>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif
#include <unistd.h>

#include "app/messagebox.h"
#include "app/searchkeys.h"
#include "app/ui_clintra.h"
#include "platform/runningplatform.h"
#include "search/core/directorywalk.h"
#include "search/core/folderprobe.h"
#include "search/core/keywordquery.h"
#include "search/core/plaintextfilters.h"
#include "search/core/resultsmodel.h"
#include "search/core/treesearch.h"
#include "search/core/typedpath.h"
#include "search/cresultlines.h"
#include "search/csearchrun.h"
#include "text/core/localcharset.h"
#include "viewer/cresultviewer.h"

namespace {

// An editable combo box adds what the user confirms with Enter as typed; the
// history keeps only the normalised text.
void DropTypedEntry(QComboBox *box, const QString &typed, const QString &normalised)
{
    if (typed.length() == normalised.length())
        return;
    const int index = box->findText(typed);
    if (index >= 0)
        box->removeItem(index);
}

// A known entry is only made current, so the order of the history stays.
void MakeHistoryEntryCurrent(QComboBox *box, const QString &text)
{
    int index = box->findText(text);
    if (index < 0) {
        box->insertItem(0, text);
        index = 0;
    }
    box->setCurrentIndex(index);
}

QString ShortDirectoryText(const QString &directory)
{
    if (directory.length() <= 30)
        return directory;
    return QStringLiteral("...") + directory.right(27);
}

} // namespace

CSearchDriver::CSearchDriver(QWidget *window, Ui_CLintra *ui, const CPane &pane, const QString &localeName,
                             const CUnmarkedTextCharset &charset)
    : QObject(window)
    , Window(window)
    , ui(ui)
    , Pane(pane)
    , PlainTextFileFilters(PlainTextFilePatterns())
    , WordSeparatedLanguage(IsWordSeparatedLanguage(localeName))
    , UnmarkedCharset(charset)
{
    setObjectName(QStringLiteral("SearchDriver"));
    SetUpResultsTable();
    CreateSearchRun();
    SetInitialMatchingMode();
    Keys = new CSearchKeys(window, {ui->Dir2Search_ComboBox, ui->Keywords2Search_ComboBox,
                                    ui->DoFilenameSearch_PushButton, ui->DoFullTextSearch_PushButton,
                                    ui->CancelSearch_PushButton, ui->FilesFound_TableWidget});
}

void CSearchDriver::SetPlainTextChoice(const QStringList &patterns, bool byContent)
{
    PlainTextFileFilters = patterns;
    PlainTextByContent = byContent;
}

// In languages without spaces between words a keyword is a part of a word.
void CSearchDriver::SetInitialMatchingMode()
{
    ui->MatchSubstring_RadioButton->setChecked(!WordSeparatedLanguage);
    ui->MatchWholeWord_RadioButton->setChecked(WordSeparatedLanguage);
}

// --- Search buttons and match mode ----------------------------------------

void CSearchDriver::SearchFilenames()
{
    ui->MatchWholeWord_RadioButton->setChecked(false);
    ui->MatchSubstring_RadioButton->setChecked(true);
    SearchWhat = SearchWhatFilename;
    OnKeywordsComboBoxCarriageReturn(ui->Keywords2Search_ComboBox->currentText(), SearchWhatFilename);
}

void CSearchDriver::SearchFullText()
{
    const QString text = ui->Keywords2Search_ComboBox->currentText();
    const int count = CountKeywords(text);
    if (count < 1)
        return;
    if (count != 1 ||
        !(ui->MatchWholeWord_RadioButton->isChecked() || ui->MatchSubstring_RadioButton->isChecked())) {
        // Several keywords, or no mode chosen: whole words.
        ui->MatchWholeWord_RadioButton->setChecked(true);
        ui->MatchSubstring_RadioButton->setChecked(false);
    }
    SearchWhat = SearchWhatFullText;
    OnKeywordsComboBoxCarriageReturn(text, SearchWhatFullText);
}

void CSearchDriver::MatchWholeWords(bool whole)
{
    Run->SetMatchWholeWord(whole);
}

bool CSearchDriver::MatchWholeWord() const
{
    return ui->MatchWholeWord_RadioButton->isChecked();
}

CKeywordQuery CSearchDriver::TypedQuery() const
{
    return CKeywordQuery(ui->Keywords2Search_ComboBox->currentText(), MatchWholeWord(),
                         WordSeparatedLanguage);
}

void CSearchDriver::Cancel()
{
    Run->Cancel();
}

bool CSearchDriver::SearchRunning() const
{
    return Run->IsRunning();
}

void CSearchDriver::CreateSearchRun()
{
    CSearchRun::CWidgets widgets;
    widgets.Status = ui->SearchingProgressStatus_Label;
    widgets.Bar = ui->Searching_ProgressBar;
    widgets.Table = ui->FilesFound_TableWidget;
    widgets.Unread = ui->SearchUnread_Label;
    // The running search, which owns its counters, Cancel and results.
    Run = new CSearchRun(widgets, this);
    Run->setObjectName(QStringLiteral("SearchRun"));
    connect(Run, &CSearchRun::Began, this, [this] {
        ResetForNewSearch();
        Keys->SearchStarted();
    });
    connect(Run, &CSearchRun::FolderUnreadable, this, &CSearchDriver::ShowInvalidPathMessage);
    connect(Run, &CSearchRun::Ended, this, [this](int found, int total) {
        ShowSearchSummary(SearchDirectory, SearchKeywords, found, total, SearchWhat);
        Keys->SearchEnded();
    });
}

// Quitting never waits for a search stuck in the file system: the settings
// are saved by then, and such a thread could not be joined. Its process
// cannot end before the call returns (a thread stuck in a network file
// system holds it), so everything it holds open goes first: the window
// leaves the screen and the display, the session bus and the instance
// lock are let go at once.
void CSearchDriver::EndSearchForQuit()
{
    if (Run->GiveUpForQuit(300))
        return;
    std::fflush(nullptr);
#ifdef Q_OS_LINUX
    rlimit limit{};
    const int last = getrlimit(RLIMIT_NOFILE, &limit) == 0 ? int(qMin<rlim_t>(limit.rlim_cur, 65536)) : 1024;
    for (int descriptor = 3; descriptor < last; ++descriptor)
        ::close(descriptor);
#endif
    ::_exit(0);
}

int CSearchDriver::CountKeywords(const QString &text) const
{
    return ::CountKeywords(text);
}

// --- Driver -----------------------------------------------------------------

void CSearchDriver::OnKeywordsComboBoxCarriageReturn(QString s, TEnumSearchWhat e)
{
    if (int(e) > int(SearchWhatFullText))
        return;
    // Only trimmed: inner blanks belong to the folder's name.
    const QString typedDirectory = ui->Dir2Search_ComboBox->currentText();
    const QString directory = TypedDirectory();
    if (directory.isEmpty()) {
        ClearResult();
        return;
    }
    // As typed: a padded history entry is replaced by the trimmed one.
    OnPathComboBoxCarriageReturn(typedDirectory);
    const QString keywords = s.trimmed().simplified();
    if (keywords.isEmpty()) {
        ClearResult();
        return;
    }
    emit SummaryChanged(QString());
    if (!ShowResultContentHeading())
        return;
    RememberKeywords(s, keywords);

    // Whether the folder can be searched, the search finds out on its own
    // thread, where a hung mount stops nothing but the search; one that is
    // missing, a plain file or unreadable gets the invalid path box.
    SearchDirectory = directory;
    SearchKeywords = keywords;
    StartSearch(QDir(directory), CKeywordQuery(keywords, MatchWholeWord(), WordSeparatedLanguage), e);
}

bool CSearchDriver::ShowResultContentHeading()
{
    switch (SearchWhat) {
    case SearchWhatFilename:
        Pane.Heading->setText(tr("Matched Filename"));
        Pane.Heading->show();
        Pane.Charset->hide();
        return true;
    case SearchWhatFullText:
        Pane.Heading->setText(tr("File Content in Charset"));
        Pane.Heading->show();
        Pane.Charset->show();
        SelectSystemResultCharset();
        return true;
    }
    return false;
}

void CSearchDriver::SelectSystemResultCharset()
{
    QComboBox *box = Pane.Charset;
    int index = box->findText(QStringLiteral("System"));
    if (index < 0) {
        // Only Windows has a codec named "System"; elsewhere the local codec stands for it.
        const QTextCodec *local = QTextCodec::codecForLocale();
        index = box->findData(local->mibEnum());
        if (index < 0)
            index = box->findText(CodecEntryName(local), Qt::MatchFixedString);
    }
    if (index >= 0)
        box->setCurrentIndex(index);
}

void CSearchDriver::RememberKeywords(const QString &typed, const QString &keywords)
{
    DropTypedEntry(ui->Keywords2Search_ComboBox, typed, keywords);
    MakeHistoryEntryCurrent(ui->Keywords2Search_ComboBox, keywords);
}

void CSearchDriver::ShowInvalidPathMessage()
{
    ShowMessageBox(QMessageBox::Critical, QString(),
                   tr("Error: Invalid path given! Please have it corrected.") + QStringLiteral("\n\n") +
                       QDir::toNativeSeparators(SearchDirectory));
}

// The directory box's folder as a path: "~" and $NAME as a shell reads them.
QString CSearchDriver::TypedDirectory() const
{
    return ExpandedTypedPath(ui->Dir2Search_ComboBox->currentText().trimmed(), QDir::homePath(),
                             [](const QString &name) {
                                 const QByteArray value = qgetenv(name.toLocal8Bit().constData());
                                 return value.isNull() ? QString() : QFile::decodeName(value);
                             });
}

void CSearchDriver::ResetForNewSearch()
{
    ui->FilesFound_TableWidget->Results()->RemoveAllRows();
    ui->FileContent_TextEdit->clear();
    SetResultsHeaderLabels();
    Pane.Viewer->Forget();
    // A range of 0 to 0 shows a busy bar until the first scan knows a total.
    ui->Searching_ProgressBar->setValue(0);
    ui->Searching_ProgressBar->setRange(0, 0);
}

// The summary line itself is the search's (CSearchRun); here the tray and the pane.
void CSearchDriver::ShowSearchSummary(const QString &directory, const QString &keywords, int found, int total,
                                      TEnumSearchWhat what)
{
    const bool fullText = what == SearchWhatFullText;

    emit SummaryChanged(tr("Directory: ") + ShortDirectoryText(directory) + QLatin1Char('\n') +
                        tr("Keywords: ") + keywords + QLatin1Char('\n') +
                        tr("%1 of the %2 searched files found.").arg(found).arg(total));

    // A result the user opened during the search keeps the pane.
    if (found > 0 && ui->FileContent_TextEdit->toPlainText().trimmed().simplified().isEmpty()) {
        ui->FileContent_TextEdit->setHtml(
            tr("<font color=\"red\">FYI: You may click any row in the left pane to see the ") +
            (fullText ? tr("matched text") : tr("full filename")) + tr(".</font>"));
    }
}

// --- Directory history, clearing, browsing ---------------------------------------

void CSearchDriver::OnPathComboBoxCarriageReturn(QString s)
{
    const QString trimmed = s.trimmed();
    DropTypedEntry(ui->Dir2Search_ComboBox, s, trimmed);
    if (trimmed.isEmpty()) {
        ClearResult();
        return;
    }
    MakeHistoryEntryCurrent(ui->Dir2Search_ComboBox, trimmed);
}

// The directory given on the command line goes into the edit field only; it
// joins the history when a search uses it, as a typed one does.
void CSearchDriver::ShowStartDirectory(const QString &directory)
{
    if (directory.isEmpty())
        return;
    QString shown = directory;
    if (RunningPlatform == Windows)
        shown.replace(QLatin1Char('/'), QLatin1Char('\\'));
    ui->Dir2Search_ComboBox->setEditText(shown);
}

void CSearchDriver::ClearResult()
{
    ui->FilesFound_TableWidget->Results()->ClearCells();
    ui->FileContent_TextEdit->clear();
    Pane.Viewer->Forget();
    Pane.Heading->hide();
    Pane.Charset->hide();
}

// The dialog opens in the box's folder. Where the desktop has no dialog of
// its own, Qt's looks at its folders on this thread: a folder that does not
// answer at once (a dead network mount) is not offered, nor the home folder
// in the side bar when it does not answer either.
void CSearchDriver::BrowseDirectory()
{
    const int answerMs = 200;
    const QString home = QDir::homePath();
    const bool homeAnswers = FolderAnswersWithin(home, answerMs);
    const QString typed = TypedDirectory();
    QString start = homeAnswers ? home : QDir::rootPath();
    if (!typed.isEmpty() && FolderAnswersWithin(typed, answerMs))
        start = typed;
    QFileDialog dialog(Window, tr("Select a Directory"), start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!homeAnswers)
        dialog.setSidebarUrls({QUrl::fromLocalFile(QDir::rootPath()), QUrl::fromLocalFile(start)});
    // Cancelled: the dialog's empty answer changes nothing.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString directory = dialog.selectedFiles().constFirst();
    if (directory.isEmpty())
        return;
    if (RunningPlatform == Windows)
        directory.replace(QLatin1Char('/'), QLatin1Char('\\'));
    OnPathComboBoxCarriageReturn(directory);
}

// --- Starting the search ------------------------------------------------------

void CSearchDriver::StartSearch(const QDir &dir, const CKeywordQuery &query, TEnumSearchWhat what)
{
    const bool fullText = what == SearchWhatFullText;
    CSearchRun::CTexts texts;
    texts.Progress = fullText ? tr("Processing file %1 of total %2 files...")
                              : tr("Checking the name of file %1 of total %2 files...");
    texts.Summary = fullText ? tr("%1 of the %2 searched files contain(s) the given keyword(s).")
                             : tr("%1 of the %2 searched files have/has the given keyword(s) in filename.");
    CTreeSearch::CSettings settings;
    settings.What = what;
    settings.NameFilters = CandidateNameFilters(what, PlainTextFileFilters);
    settings.PlainTextByContent = PlainTextByContent;
    const QString skipped = ui->SkipFolders_ComboBox->currentText().simplified();
    if (!skipped.isEmpty())
        MakeHistoryEntryCurrent(ui->SkipFolders_ComboBox, skipped);
    settings.Entries = CWalkEntryFilter(ui->IncludeHidden_CheckBox->isChecked(),
                                        CWalkEntryFilter::ParseFolderPatterns(skipped));
    settings.Query = query;
    settings.Charset = UnmarkedCharset;
    ui->FilesFound_TableWidget->Lines()->SetSearch(fullText ? query : CKeywordQuery(), UnmarkedCharset);
    settings.Threads = QThread::idealThreadCount();
    Run->Start(dir, settings, texts);
}

// --- Results table ------------------------------------------------------------

void CSearchDriver::SetUpResultsTable()
{
    CResultsTable *table = ui->FilesFound_TableWidget;
    table->setColumnWidth(1, 75);
    table->setColumnWidth(2, qMax(160, table->WholeDateWidth()));
    SetResultsHeaderLabels();
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // The path takes what the size and date leave (see CResultsTable::sizeHintForColumn),
    // never less than its title; a longer one is shortened in the middle.
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // The drawn widths are the least; a header text gets what it needs.
    for (int column = 1; column <= 2; ++column)
        table->setColumnWidth(
            column, qMax(table->columnWidth(column), table->horizontalHeader()->sectionSizeHint(column)));
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
}

void CSearchDriver::SetResultsHeaderLabels()
{
    ui->FilesFound_TableWidget->Results()->SetHeaderLabels(QStringList() << tr("Filename") << tr("Size (KB)")
                                                                         << tr("Last Modified Time"));
}

void CSearchDriver::AddResultRows(const QStringList &paths, TEnumSearchWhat what)
{
    SearchWhat = what;
    ui->FilesFound_TableWidget->Results()->AppendRows(paths);
}
