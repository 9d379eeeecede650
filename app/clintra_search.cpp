// The main window's part of the search: the search buttons, the driver with
// its histories, heading and summary, and the results table. The search
// itself runs on threads of its own (CSearchRun), which list, examine, open
// and read; the window only starts it and shows what it sends.

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "viewer/cresultviewer.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
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
#include "platform/runningplatform.h"
#include "search/core/directorywalk.h"
#include "search/core/folderprobe.h"
#include "search/core/keywordquery.h"
#include "search/core/resultsmodel.h"
#include "search/core/treesearch.h"
#include "search/core/typedpath.h"
#include "search/cresultlines.h"
#include "search/csearchrun.h"
#include "text/core/localcharset.h"

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

// --- Search buttons and match mode ----------------------------------------

void CLintra::on_DoFilenameSearch_PushButton_clicked()
{
    ui->MatchWholeWord_RadioButton->setChecked(false);
    ui->MatchSubstring_RadioButton->setChecked(true);
    MatchWholeWord = false;
    SearchWhat = SearchWhatFilename;
    OnKeywordsComboBoxCarriageReturn(ui->Keywords2Search_ComboBox->currentText(), SearchWhatFilename);
}

void CLintra::on_DoFullTextSearch_PushButton_clicked()
{
    const QString text = ui->Keywords2Search_ComboBox->currentText();
    const int count = CountKeywords(text);
    if (count < 1)
        return;
    if (count == 1 && ui->MatchWholeWord_RadioButton->isChecked()) {
        MatchWholeWord = true;
    } else if (count == 1 && ui->MatchSubstring_RadioButton->isChecked()) {
        MatchWholeWord = false;
    } else {
        // Several keywords, or no mode chosen: whole words.
        ui->MatchWholeWord_RadioButton->setChecked(true);
        ui->MatchSubstring_RadioButton->setChecked(false);
        MatchWholeWord = true;
    }
    SearchWhat = SearchWhatFullText;
    OnKeywordsComboBoxCarriageReturn(text, SearchWhatFullText);
}

void CLintra::on_MatchWholeWord_RadioButton_clicked()
{
    MatchWholeWord = true;
    SearchRun->SetMatchWholeWord(true);
}

void CLintra::on_MatchSubstring_RadioButton_clicked()
{
    MatchWholeWord = false;
    SearchRun->SetMatchWholeWord(false);
}

void CLintra::on_CancelSearch_PushButton_clicked()
{
    SearchRun->Cancel();
}

bool CLintra::SearchRunning() const
{
    return SearchRun->IsRunning();
}

void CLintra::CreateSearchRun()
{
    CSearchRun::CWidgets widgets;
    widgets.Status = ui->SearchingProgressStatus_Label;
    widgets.Bar = ui->Searching_ProgressBar;
    widgets.Table = ui->FilesFound_TableWidget;
    widgets.Unread = ui->SearchUnread_Label;
    // The running search, which owns its counters, Cancel and results.
    SearchRun = new CSearchRun(widgets, this);
    SearchRun->setObjectName(QStringLiteral("SearchRun"));
    connect(SearchRun, &CSearchRun::Began, this, [this] {
        ResetForNewSearch();
        SearchKeys->SearchStarted();
    });
    connect(SearchRun, &CSearchRun::FolderUnreadable, this, &CLintra::ShowInvalidPathMessage);
    connect(SearchRun, &CSearchRun::Ended, this, [this](int found, int total) {
        ShowSearchSummary(SearchDirectory, SearchKeywords, found, total, SearchWhat);
        SearchKeys->SearchEnded();
    });
}

// Quitting never waits for a search stuck in the file system: the settings
// are saved by then, and such a thread could not be joined. Its process
// cannot end before the call returns (a thread stuck in a network file
// system holds it), so everything it holds open goes first: the window
// leaves the screen and the display, the session bus and the instance
// lock are let go at once.
void CLintra::EndSearchForQuit()
{
    if (SearchRun->GiveUpForQuit(300))
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

int CLintra::CountKeywords(const QString &text) const
{
    return ::CountKeywords(text);
}

// --- Driver -----------------------------------------------------------------

void CLintra::OnKeywordsComboBoxCarriageReturn(QString s, TEnumSearchWhat e)
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
    SysTrayToolTip = VersionCaption;
    if (!ShowResultContentHeading())
        return;
    RememberKeywords(s, keywords);

    // Whether the folder can be searched, the search finds out on its own
    // thread, where a hung mount stops nothing but the search; one that is
    // missing, a plain file or unreadable gets the invalid path box.
    SearchDirectory = directory;
    SearchKeywords = keywords;
    StartSearch(QDir(directory), CKeywordQuery(keywords, MatchWholeWord, WordSeparatedLanguage), e);
}

bool CLintra::ShowResultContentHeading()
{
    switch (SearchWhat) {
    case SearchWhatFilename:
        ResultContentHeader_Label->setText(tr("Matched Filename"));
        ResultContentHeader_Label->show();
        ResultContentCharset_ComboBox->hide();
        return true;
    case SearchWhatFullText:
        ResultContentHeader_Label->setText(tr("File Content in Charset"));
        ResultContentHeader_Label->show();
        ResultContentCharset_ComboBox->show();
        SelectSystemResultCharset();
        return true;
    }
    return false;
}

void CLintra::SelectSystemResultCharset()
{
    QComboBox *box = ResultContentCharset_ComboBox;
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

void CLintra::RememberKeywords(const QString &typed, const QString &keywords)
{
    DropTypedEntry(ui->Keywords2Search_ComboBox, typed, keywords);
    MakeHistoryEntryCurrent(ui->Keywords2Search_ComboBox, keywords);
}

void CLintra::ShowInvalidPathMessage()
{
    ShowMessageBox(QMessageBox::Critical, QString(),
                   tr("Error: Invalid path given! Please have it corrected.") + QStringLiteral("\n\n") +
                       QDir::toNativeSeparators(SearchDirectory));
}

// The directory box's folder as a path: "~" and $NAME as a shell reads them.
QString CLintra::TypedDirectory() const
{
    return ExpandedTypedPath(ui->Dir2Search_ComboBox->currentText().trimmed(), QDir::homePath(),
                             [](const QString &name) {
                                 const QByteArray value = qgetenv(name.toLocal8Bit().constData());
                                 return value.isNull() ? QString() : QFile::decodeName(value);
                             });
}

void CLintra::ResetForNewSearch()
{
    ui->FilesFound_TableWidget->Results()->RemoveAllRows();
    ui->FileContent_TextEdit->clear();
    SetResultsHeaderLabels();
    ResultViewer->Forget();
    // A range of 0 to 0 shows a busy bar until the first scan knows a total.
    ui->Searching_ProgressBar->setValue(0);
    ui->Searching_ProgressBar->setRange(0, 0);
}

// The summary line itself is the search's (CSearchRun); here the tray and the pane.
void CLintra::ShowSearchSummary(const QString &directory, const QString &keywords, int found, int total,
                                TEnumSearchWhat what)
{
    const bool fullText = what == SearchWhatFullText;

    SysTrayToolTip = VersionCaption + QLatin1Char('\n') + tr("Directory: ") + ShortDirectoryText(directory) +
                     QLatin1Char('\n') + tr("Keywords: ") + keywords + QLatin1Char('\n') +
                     tr("%1 of the %2 searched files found.").arg(found).arg(total);

    // A result the user opened during the search keeps the pane.
    if (found > 0 && ui->FileContent_TextEdit->toPlainText().trimmed().simplified().isEmpty()) {
        ui->FileContent_TextEdit->setHtml(
            tr("<font color=\"red\">FYI: You may click any row in the left pane to see the ") +
            (fullText ? tr("matched text") : tr("full filename")) + tr(".</font>"));
    }
}

// --- Directory history, clearing, browsing ---------------------------------------

void CLintra::OnPathComboBoxCarriageReturn(QString s)
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
void CLintra::ShowStartDirectory(const QString &directory)
{
    if (directory.isEmpty())
        return;
    QString shown = directory;
    if (RunningPlatform == Windows)
        shown.replace(QLatin1Char('/'), QLatin1Char('\\'));
    ui->Dir2Search_ComboBox->setEditText(shown);
}

void CLintra::ClearResult()
{
    ui->FilesFound_TableWidget->Results()->ClearCells();
    ui->FileContent_TextEdit->clear();
    ResultViewer->Forget();
    ResultContentHeader_Label->hide();
    ResultContentCharset_ComboBox->hide();
}

// The dialog opens in the box's folder. Where the desktop has no dialog of
// its own, Qt's looks at its folders on this thread: a folder that does not
// answer at once (a dead network mount) is not offered, nor the home folder
// in the side bar when it does not answer either.
void CLintra::on_BrowseDir_ToolButton_clicked()
{
    const int answerMs = 200;
    const QString home = QDir::homePath();
    const bool homeAnswers = FolderAnswersWithin(home, answerMs);
    const QString typed = TypedDirectory();
    QString start = homeAnswers ? home : QDir::rootPath();
    if (!typed.isEmpty() && FolderAnswersWithin(typed, answerMs))
        start = typed;
    QFileDialog dialog(this, tr("Select a Directory"), start);
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

void CLintra::StartSearch(const QDir &dir, const CKeywordQuery &query, TEnumSearchWhat what)
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
    SearchRun->Start(dir, settings, texts);
}

// --- Results table ------------------------------------------------------------

void CLintra::SetUpResultsTable()
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

void CLintra::SetResultsHeaderLabels()
{
    ui->FilesFound_TableWidget->Results()->SetHeaderLabels(QStringList() << tr("Filename") << tr("Size (KB)")
                                                                         << tr("Last Modified Time"));
}

void CLintra::AddResultRows(const QStringList &paths, TEnumSearchWhat what)
{
    SearchWhat = what;
    ui->FilesFound_TableWidget->Results()->AppendRows(paths);
}
