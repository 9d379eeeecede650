#include "viewer/cresultviewer.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLocale>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include "viewer/ccontentedit.h"
#include "viewer/contentdocument.h"
#include "viewer/core/blockreader.h"
#include "viewer/core/resultdecoding.h"

namespace {

// How long a request may take before the strip says that it runs, and how
// long a stopped one may take before it is abandoned.
const int WaitingShownAfterMs = 300;
const int StoppedAbandonedAfterMs = 100;

QString WholeDocumentToolTip()
{
    return CResultViewer::tr(
        "<font face=\"verdana\">The whole document is loaded successfully in this pane.</font>");
}

QString PartialDocumentToolTip()
{
    return CResultViewer::tr(
        "<font face=\"verdana\">Only partial document is loaded in this pane since the file is big; please "
        "use the context menu with a mouse right click to view other parts of the document. Therefore, "
        "<font color=\"red\">the currently viewed part may not contain the matched line(s)</font>.</font>");
}

QString FileShrunkText()
{
    return CResultViewer::tr(
        "The file has become shorter since it was opened: this part of it can no longer be "
        "read. Select the file again to read it anew.");
}

// Why a file, or a step in it, shows nothing new; empty where a box says it.
QString FailureText(TEnumPageOutcome outcome)
{
    switch (outcome) {
    case PageGone:
        return CResultViewer::tr("The file is gone: it was deleted or moved.");
    case PageNotRegular:
        return CResultViewer::tr("Not shown: this is not a regular file but a FIFO, socket or device.");
    case PageUnreadable:
        return CResultViewer::tr("The file cannot be opened or read.");
    default:
        return QString();
    }
}

} // namespace

CResultViewer::CResultViewer(CContentEdit *pane, QComboBox *charsets, const QList<QWidget *> &keyWatched,
                             const CUnmarkedTextCharset &charset, QObject *parent)
    : QObject(parent)
    , Pane(pane)
    , Charsets(charsets)
    , Charset(charset)
{
    qRegisterMetaType<CViewedText>();
    for (QWidget *widget : keyWatched)
        widget->installEventFilter(this);
}

// A loader that does not end at once is stuck in a read: it is left to end
// on its own rather than waited for.
CResultViewer::~CResultViewer()
{
    if (!Loader)
        return;
    disconnect(Loader, nullptr, this, nullptr);
    Loader->Cancel(LastGeneration);
    LoaderThread->quit();
    if (LoaderThread->wait(500)) {
        delete Loader;
        delete LoaderThread;
    }
}

void CResultViewer::StartLoader()
{
    LoaderThread = new QThread;
    LoaderThread->setObjectName(QStringLiteral("ResultLoader"));
    Loader = new CResultLoader(BlockByteLimit, Charset);
    Loader->moveToThread(LoaderThread);
    connect(Loader, &CResultLoader::Done, this, &CResultViewer::OnDone);
    connect(Loader, &CResultLoader::Progress, this, &CResultViewer::OnProgress);
    LoaderThread->start();
}

// The loader stops what it runs and goes away when it is done; one stuck
// in the kernel takes nothing of the window with it.
void CResultViewer::RetireLoader()
{
    if (!Loader)
        return;
    disconnect(Loader, nullptr, this, nullptr);
    Loader->Cancel(LastGeneration);
    connect(LoaderThread, &QThread::finished, Loader, &QObject::deleteLater);
    connect(LoaderThread, &QThread::finished, LoaderThread, &QObject::deleteLater);
    LoaderThread->quit();
    Loader = nullptr;
    LoaderThread = nullptr;
    LoaderStuck = false;
}

quint64 CResultViewer::Ask(TEnumViewStep step, int mib)
{
    const quint64 generation = ++LastGeneration;
    Waiting = generation;
    WaitingStep = step;
    ProgressText.clear();
    CResultLoader *loader = Loader;
    QMetaObject::invokeMethod(
        loader, [loader, generation, step, mib] { loader->Step(generation, step, mib); },
        Qt::QueuedConnection);
    QTimer::singleShot(WaitingShownAfterMs, this, [this, generation] {
        if (Waiting == generation)
            ShowWaitingText();
    });
    return generation;
}

// --- What the window asks ----------------------------------------------------

void CResultViewer::ShowFile(int row, const QByteArray &nativePath, const CKeywordQuery &query, qint64 line)
{
    Forget();
    Row = row;
    TargetLine = line;
    Query = query;
    Charsets->setEnabled(true);
    if (!Loader)
        StartLoader();
    const quint64 generation = ++LastGeneration;
    Waiting = generation;
    WaitingStep = ViewLoad;
    CResultLoader *loader = Loader;
    QMetaObject::invokeMethod(
        loader,
        [loader, generation, nativePath, query, line] { loader->Load(generation, nativePath, query, line); },
        Qt::QueuedConnection);
    QTimer::singleShot(WaitingShownAfterMs, this, [this, generation] {
        if (Waiting == generation)
            ShowWaitingText();
    });
}

void CResultViewer::ShowFileName(int row, const QString &path, const CKeywordQuery &query)
{
    Forget();
    Row = row;
    Query = query;
    Pane->PartialDocument = false;
    ShowTextWithHighlights(Pane, path, query);
}

// An idle loader serves the next file; a busy one, possibly stuck in a
// read, is left behind, as is one whose stopped step never came back.
void CResultViewer::Forget()
{
    if (Waiting || LoaderStuck)
        RetireLoader();
    Waiting = 0;
    ProgressText.clear();
    Row = -1;
    OnShow = CViewedText();
    WholeBytes.clear();
    Matches.clear();
    CurrentMatch = -1;
    TargetLine = 0;
    Note.clear();
}

void CResultViewer::PreviousBlock()
{
    if (Loader && !Waiting && Pane->PartialDocument && OnShow.Paged)
        Ask(ViewPreviousBlock);
}

void CResultViewer::NextBlock()
{
    if (Loader && !Waiting && Pane->PartialDocument && OnShow.Paged)
        Ask(ViewNextBlock);
}

void CResultViewer::NextMatch()
{
    if (Row < 0 || Waiting)
        return;
    Note.clear();
    if (CurrentMatch + 1 < Matches.size()) {
        GoToMatch(CurrentMatch + 1);
    } else if (OnShow.Paged && Loader) {
        Ask(ViewNextMatch);
        return;
    } else {
        Note = tr("No further match.");
    }
    ShowStrip();
}

void CResultViewer::PreviousMatch()
{
    if (Row < 0 || Waiting)
        return;
    Note.clear();
    if (CurrentMatch > 0) {
        GoToMatch(CurrentMatch - 1);
    } else if (OnShow.Paged && Loader) {
        Ask(ViewPreviousMatch);
        return;
    } else {
        Note = tr("No earlier match.");
    }
    ShowStrip();
}

// A whole file is decoded again here (it is small and in memory); a paged
// one by the loader, block by block from now on.
void CResultViewer::DecodeWith(int mib)
{
    if (Row < 0)
        return;
    if (Pane->PartialDocument) {
        if (Loader && !Waiting && OnShow.Paged)
            Ask(ViewDecodeAgain, mib);
        return;
    }
    CViewedText decoded = OnShow;
    decoded.Text = DocumentPlainText(DecodeBytesWithMib(WholeBytes, mib, Charset.LocalCodec()));
    if (decoded.Text.isEmpty())
        return;
    decoded.Plan = PlanKeywordHighlights(decoded.Text, Query);
    decoded.MatchesCounted = MatchesInOrder(decoded.Plan).size();
    OnShow = decoded;
    ShowAnswerText(decoded, false);
    ShowStrip();
}

void CResultViewer::StopLoading()
{
    if (!Waiting)
        return;
    const quint64 generation = Waiting;
    if (Loader)
        Loader->Cancel(generation);
    QTimer::singleShot(StoppedAbandonedAfterMs, this, [this, generation] {
        if (Waiting == generation)
            Abandon(generation);
    });
}

// The loader did not answer a stop: it is stuck in a read. A stuck load is
// left behind; a stuck step keeps the loader for this file's later steps,
// but the next row gets a loader of its own.
void CResultViewer::Abandon(quint64 generation)
{
    Q_UNUSED(generation);
    Waiting = 0;
    ProgressText.clear();
    Note = tr("Stopped: the file does not answer.");
    LoaderStuck = true;
    if (WaitingStep == ViewLoad)
        RetireLoader();
    ShowStrip();
    emit Settled();
}

bool CResultViewer::eventFilter(QObject *watched, QEvent *event)
{
    if (Waiting && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const QKeyEvent *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            // Escape stops the load first; only a second one reaches the window.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                StopLoading();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- Answers -------------------------------------------------------------------

void CResultViewer::OnDone(const CViewedText &answer)
{
    // Any answer, late or not, shows that the loader's read came back.
    LoaderStuck = false;
    // Late: the user has moved on, or the request was abandoned.
    if (answer.Generation != Waiting)
        return;
    Waiting = 0;
    ProgressText.clear();
    if (answer.Step == ViewLoad)
        ShowLoaded(answer);
    else
        ShowStep(answer);
    emit Settled();
}

void CResultViewer::OnProgress(quint64 generation, qint64 offset, qint64 size)
{
    if (generation != Waiting || size <= 0)
        return;
    const QLocale locale;
    ProgressText = tr("Looking for a keyword: %1 of %2 read (%3%). Esc stops.")
                       .arg(locale.formattedDataSize(offset), locale.formattedDataSize(size))
                       .arg(int(offset * 100 / size));
    ShowStrip();
}

void CResultViewer::ShowWaitingText()
{
    ProgressText = tr("Reading the file… Esc stops.");
    ShowStrip();
}

void CResultViewer::ShowLoaded(const CViewedText &answer)
{
    Note.clear();
    OnShow = answer;
    Pane->PartialDocument = answer.Paged;
    if (answer.Text.isEmpty() && answer.Outcome != PageShown && answer.Outcome != PageCancelled) {
        // Nothing was read: the pane must not claim that the document is loaded.
        Pane->setToolTip(QString());
        Note = FailureText(answer.Outcome);
        ShowStrip();
        return;
    }
    Pane->setToolTip(answer.Paged ? PartialDocumentToolTip() : WholeDocumentToolTip());
    if (answer.EncodingKnown)
        ShowEncoding(answer.Encoding, answer.UnmarkedCodec);
    WholeBytes = answer.WholeBytes;
    ShowAnswerText(answer, false);
    TargetLine = 0;
    if (answer.Outcome == PageCancelled)
        Note = tr("Stopped looking for a keyword: the pane shows the start of the file.");
    ShowStrip();
}

void CResultViewer::ShowStep(const CViewedText &answer)
{
    Note.clear();
    switch (answer.Outcome) {
    case PageShown:
        OnShow = answer;
        ShowAnswerText(answer, answer.Step == ViewPreviousMatch);
        break;
    case PageAtBeginning:
    case PageAtEnd:
        if (answer.Step == ViewPreviousBlock)
            emit MessageRequested(QMessageBox::Information, tr("Information"),
                                  tr("Already at the beginning of the file!"));
        else
            emit MessageRequested(QMessageBox::Information, tr("Information"),
                                  tr("Already at the end of the file!"));
        break;
    case PageFileShrunk:
        emit MessageRequested(QMessageBox::Warning,
                              answer.Step == ViewPreviousBlock ? tr("Error") : tr("Result File Content"),
                              FileShrunkText());
        break;
    case PageNoMatch:
    case PageCancelled:
        // Nothing moved, but the scan may have learnt how many blocks and
        // matches the file holds.
        OnShow.BlockCount = answer.BlockCount;
        OnShow.BlockCountKnown = answer.BlockCountKnown;
        OnShow.MatchesCounted = answer.MatchesCounted;
        OnShow.MatchesAllCounted = answer.MatchesAllCounted;
        if (answer.Outcome == PageCancelled)
            Note = tr("Stopped looking for a match.");
        else
            Note = answer.Step == ViewPreviousMatch ? tr("No earlier match.") : tr("No further match.");
        break;
    default:
        // The pane and the position stay as they are.
        Note = FailureText(answer.Outcome);
        break;
    }
    ShowStrip();
}

void CResultViewer::ShowAnswerText(const CViewedText &answer, bool lastMatch)
{
    ShowPlannedText(Pane, answer.Text, answer.Plan);
    Matches.clear();
    for (const CHighlightRange &range : MatchesInOrder(answer.Plan))
        Matches.append(CMatch{range.Start, range.Length});
    CurrentMatch = -1;
    if (!Matches.isEmpty())
        GoToMatch(lastMatch ? Matches.size() - 1 : MatchOnLine(answer));
}

// The first match on the line asked for, or after it; the first without one.
int CResultViewer::MatchOnLine(const CViewedText &answer) const
{
    int start = 0;
    for (qint64 line = answer.FirstLine + 1; line < TargetLine && start >= 0; ++line) {
        start = answer.Text.indexOf(QLatin1Char('\n'), start);
        if (start >= 0)
            ++start;
    }
    for (int match = 0; start >= 0 && match < Matches.size(); ++match) {
        if (Matches.at(match).Start >= start)
            return match;
    }
    return 0;
}

void CResultViewer::ShowEncoding(TEnumTextEncoding encoding, QTextCodec *unmarkedCodec)
{
    Charsets->setCurrentIndex(Charsets->findData(CharsetEntryForEncoding(encoding, unmarkedCodec),
                                                 Qt::DisplayRole, Qt::MatchFixedString));
}

void CResultViewer::GoToMatch(int index)
{
    CurrentMatch = index;
    ShowRunInMiddle(Pane, Matches.at(index).Start, Matches.at(index).Length);
}

// --- The strip below the text --------------------------------------------------

void CResultViewer::ShowStrip()
{
    if (!ProgressText.isEmpty()) {
        Pane->SetPositionText(ProgressText);
        return;
    }
    QStringList parts;
    for (const QString &part : {BlockText(), MatchText(), Note}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    Pane->SetPositionText(parts.join(QStringLiteral("  ·  ")));
}

QString CResultViewer::BlockText() const
{
    if (!OnShow.Paged || !OnShow.EncodingKnown || !Pane->PartialDocument)
        return QString();
    const QLocale locale;
    if (OnShow.PastTheEnd)
        return tr("No keyword in any of the %1 blocks").arg(locale.toString(OnShow.BlockCount));
    if (OnShow.BlockCountKnown)
        return tr("Block %1 of %2")
            .arg(locale.toString(OnShow.Block + 1), locale.toString(OnShow.BlockCount));
    return tr("Block %1 of about %2")
        .arg(locale.toString(OnShow.Block + 1), locale.toString(OnShow.BlockCount));
}

QString CResultViewer::MatchText() const
{
    if (CurrentMatch < 0 || CurrentMatch >= Matches.size())
        return QString();
    const QLocale locale;
    const int number = OnShow.MatchesBefore + CurrentMatch + 1;
    const int total = qMax(number, OnShow.MatchesCounted);
    const qint64 line =
        OnShow.FirstLine + Pane->document()->findBlock(Matches.at(CurrentMatch).Start).blockNumber() + 1;
    const QString shownNumber = locale.toString(number);
    const QString shownTotal = locale.toString(total);
    const QString shownLine = locale.toString(line);
    if (!OnShow.MatchesAllCounted)
        return tr("Match %1 of at least %2, line %3").arg(shownNumber, shownTotal, shownLine);
    if (number == total)
        return tr("Last match: %1 of %2, line %3").arg(shownNumber, shownTotal, shownLine);
    return tr("Match %1 of %2, line %3").arg(shownNumber, shownTotal, shownLine);
}
