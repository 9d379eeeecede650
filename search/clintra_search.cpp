// The main window's part of the search: the search buttons, the driver with
// its histories, progress and summary, the per-directory scans and the
// results table. Parsing, matching, walking and reading a file are done by
// the widget-free classes of search/; this file feeds them the window's state
// and shows what they find.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTextCodec>
#include <QThread>

#include "app/core/platform.h"
#include "app/messagebox.h"
#include "app/searchkeys.h"
#include "search/core/directorywalk.h"
#include "search/core/eventpacer.h"
#include "search/core/keywordquery.h"
#include "search/core/resultsmodel.h"
#include "search/core/treesearch.h"
#include "text/core/localcharset.h"

namespace {

// A search runs inside the slot of its button and processes events per file,
// so a second press would start a search inside the running one.
class CSearchButtonsDisabled
{
public:
    explicit CSearchButtonsDisabled(Ui_CLintra *ui)
        : Ui(ui)
    {
        SetEnabled(false);
    }
    ~CSearchButtonsDisabled() { SetEnabled(true); }
    CSearchButtonsDisabled(const CSearchButtonsDisabled &) = delete;
    CSearchButtonsDisabled &operator=(const CSearchButtonsDisabled &) = delete;

private:
    void SetEnabled(bool enabled)
    {
        Ui->DoFilenameSearch_PushButton->setEnabled(enabled);
        Ui->DoFullTextSearch_PushButton->setEnabled(enabled);
    }
    Ui_CLintra *Ui;
};

// Fitting the path column to its contents measures every row, which the
// table would do after each directory's rows. During a search rows are only
// appended, so the widest row so far is kept and only new rows are measured,
// once per refresh of the window, and of those only the ones longer in
// characters than any measured before: measuring a row costs as much as
// laying out its text, and a search may add a hundred thousand rows of much
// the same length. The table's own fitting returns at the end.
class CPathColumnFitting
{
public:
    CPathColumnFitting(CResultsTable *table, CEventPacer &pacer)
        : Table(table)
        , Pacer(pacer)
    {
        Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
        Pacer.SetRefreshAction([this] { Fit(); });
    }
    ~CPathColumnFitting()
    {
        Pacer.SetRefreshAction(nullptr);
        Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    }
    CPathColumnFitting(const CPathColumnFitting &) = delete;
    CPathColumnFitting &operator=(const CPathColumnFitting &) = delete;

private:
    void Fit()
    {
        const int rows = Table->rowCount();
        if (rows == MeasuredRows)
            return;
        const CResultsModel *results = Table->Results();
        for (; MeasuredRows < rows; ++MeasuredRows) {
            const int length = results->FilePathLength(MeasuredRows);
            if (length <= LongestPath)
                continue;
            LongestPath = qMax(LongestPath, length);
            Widest = qMax(Widest, Table->sizeHintForIndex(results->index(MeasuredRows, 0)).width());
        }
        QHeaderView *header = Table->horizontalHeader();
        header->resizeSection(0, qMax(qMax(Widest, header->sectionSizeHint(0)), Table->PathColumnRoom()));
    }

    CResultsTable *Table;
    CEventPacer &Pacer;
    int MeasuredRows = 0;
    int LongestPath = 0;
    int Widest = 0;
};

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
    if (RunningTreeSearch)
        RunningTreeSearch->SetMatchWholeWord(MatchWholeWord);
}

void CLintra::on_MatchSubstring_RadioButton_clicked()
{
    MatchWholeWord = false;
    if (RunningTreeSearch)
        RunningTreeSearch->SetMatchWholeWord(MatchWholeWord);
}

void CLintra::on_CancelSearch_PushButton_clicked()
{
    CancelRequested = true;
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
    const QString directory = typedDirectory.trimmed();
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

    const QDir dir(directory);
    // isReadable() alone accepts a readable plain file, which would "search" nothing.
    if (!dir.isReadable() || !dir.exists()) {
        ShowInvalidPathMessage();
        return;
    }
    const CSearchButtonsDisabled buttonsDisabled(ui);
    CEventPacer pacer(this);
    SearchEventPacer = &pacer;
    ResetForNewSearch();
    const CPathColumnFitting fitting(ui->FilesFound_TableWidget, pacer);
    const CKeywordQuery query(keywords, MatchWholeWord, WordSeparatedLanguage);
    SearchKeys->SearchStarted();
    const int found = WalkDirectory(dir, query, e);
    ShowSearchSummary(directory, keywords, found, e);
    SearchEventPacer = nullptr;
    SearchKeys->SearchEnded();
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
                   tr("Error: Invalid path given! Please have it corrected."));
}

void CLintra::ResetForNewSearch()
{
    ui->FilesFound_TableWidget->Results()->RemoveAllRows();
    ui->FileContent_TextEdit->clear();
    SetUpResultsTable();
    CurrentResultRow = -1;
    TotalFilesCount = 0;
    ProcessedFilesCount = 0;
    // A range of 0 to 0 shows a busy bar until the first scan knows a total.
    ui->Searching_ProgressBar->setValue(0);
    ui->Searching_ProgressBar->setRange(0, 0);
    CancelRequested = false;
}

void CLintra::ShowSearchSummary(const QString &directory, const QString &keywords, int found,
                                TEnumSearchWhat what)
{
    const bool fullText = what == SearchWhatFullText;
    ui->SearchingProgressStatus_Label->setText(
        (fullText ? tr("%1 of the %2 searched files contain(s) the given keyword(s).")
                  : tr("%1 of the %2 searched files have/has the given keyword(s) in filename."))
            .arg(found)
            .arg(TotalFilesCount));

    SysTrayToolTip = VersionCaption + QLatin1Char('\n') + tr("Directory: ") + ShortDirectoryText(directory) +
                     QLatin1Char('\n') + tr("Keywords: ") + keywords + QLatin1Char('\n') +
                     tr("%1 of the %2 searched files found.").arg(found).arg(TotalFilesCount);

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
    ResultContentHeader_Label->hide();
    ResultContentCharset_ComboBox->hide();
}

void CLintra::on_BrowseDir_ToolButton_clicked()
{
    QString directory = QFileDialog::getExistingDirectory(this, tr("Select a Directory"), QDir::homePath(),
                                                          QFileDialog::ShowDirsOnly);
    if (RunningPlatform == Windows)
        directory.replace(QLatin1Char('/'), QLatin1Char('\\'));
    OnPathComboBoxCarriageReturn(directory);
}

// --- Walk and scans ---------------------------------------------------------

namespace {

// What a running search tells the window, and the Cancel it asks about.
class CWindowScanReport : public CScanReport
{
public:
    CWindowScanReport(CLintra &window, const QString &progressFormat)
        : Window(window)
        , ProgressFormat(progressFormat)
    {
    }
    bool Cancelled() override
    {
        // Between files and while the workers read a long file: Cancel and
        // row selections work then too. Right after a file's step has
        // processed the events, there is nothing new to process.
        if (Window.SearchEventPacer && !EventsJustProcessed)
            Window.SearchEventPacer->ProcessEventsWhenDue();
        EventsJustProcessed = false;
        return Window.CancelRequested;
    }
    void DirectoryReached(const QDir &, int candidates) override { Window.TotalFilesCount += candidates; }
    void FileExamined() override
    {
        Window.AdvanceScanProgress(ProgressFormat);
        EventsJustProcessed = true;
    }
    void Found(const QStringList &paths) override { Window.AddResultRows(paths); }

private:
    CLintra &Window;
    QString ProgressFormat;
    bool EventsJustProcessed = false;
};

} // namespace

int CLintra::WalkDirectory(const QDir &dir, const CKeywordQuery &query, TEnumSearchWhat what)
{
    if (query.IsEmpty())
        return 0;
    CTreeSearch::CSettings settings;
    settings.What = what;
    settings.NameFilters = CandidateNameFilters(what, PlainTextFileFilters);
    settings.Query = query;
    settings.LocalCodec = QTextCodec::codecForLocale();
    settings.Threads = QThread::idealThreadCount();
    CWindowScanReport report(*this, what == SearchWhatFilename
                                        ? tr("Checking the name of file %1 of total %2 files...")
                                        : tr("Processing file %1 of total %2 files..."));
    CTreeSearch search(settings);
    RunningTreeSearch = &search;
    const int found = search.Run(dir, report);
    RunningTreeSearch = nullptr;
    return found;
}

void CLintra::AdvanceScanProgress(const QString &format)
{
    ++ProcessedFilesCount;
    ui->SearchingProgressStatus_Label->setText(
        format.arg(QString::number(ProcessedFilesCount), QString::number(TotalFilesCount)));
    ui->Searching_ProgressBar->setRange(0, TotalFilesCount);
    ui->Searching_ProgressBar->setValue(ProcessedFilesCount);
    // The user's Cancel, row selections and every other action are handled here.
    if (SearchEventPacer)
        SearchEventPacer->ProcessEvents();
    else
        QCoreApplication::processEvents();
}

// --- Results table ------------------------------------------------------------

void CLintra::SetUpResultsTable()
{
    CResultsTable *table = ui->FilesFound_TableWidget;
    table->setColumnWidth(1, 75);
    table->setColumnWidth(2, qMax(160, table->WholeDateWidth()));
    table->Results()->SetHeaderLabels(QStringList()
                                      << tr("Filename") << tr("Size (KB)") << tr("Last Modified Time"));
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // The drawn widths are the least; a header text gets what it needs.
    for (int column = 1; column <= 2; ++column)
        table->setColumnWidth(
            column, qMax(table->columnWidth(column), table->horizontalHeader()->sectionSizeHint(column)));
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
}

void CLintra::AddResultRows(const QStringList &paths)
{
    ui->FilesFound_TableWidget->Results()->AppendRows(paths);
}
