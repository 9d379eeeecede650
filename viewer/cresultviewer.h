#ifndef LINTRA_CRESULTVIEWER_H
#define LINTRA_CRESULTVIEWER_H

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QVector>

#include "viewer/core/resultloader.h"

class CContentEdit;
class QComboBox;
class QTextCodec;
class QThread;
class QWidget;

// The result on show in the content pane: which row, which file, its
// encoding, where in it the pane is, and the keywords it was shown with.
// Opening, reading, scanning and decoding run on a loader thread
// (CResultLoader); this side only shows the answers, so that a slow, huge
// or hostile file never stops the window. An answer that comes after the
// user has moved on is dropped, and a loader stuck in a read is abandoned.
//
// It does not read the results table or the keyword box: the window hands
// in the row, its path and the query.
class CResultViewer : public QObject
{
    Q_OBJECT

public:
    // keyWatched: widgets in which Escape stops a running load (the pane
    // and the results table).
    // charset: what decodes text without a byte-order mark.
    CResultViewer(CContentEdit *pane, QComboBox *charsets, const QList<QWidget *> &keyWatched,
                  const CUnmarkedTextCharset &charset, QObject *parent = nullptr);
    ~CResultViewer() override;

    // The results row on show, -1 for none.
    int RowOnShow() const { return Row; }
    // The row on show has moved to row (the results were sorted).
    void RowMoved(int row) { Row = row; }
    // Whether an answer is awaited (a load, a step or a scan).
    bool IsLoading() const { return Waiting != 0; }

    // A full-text result: the file's text, at its first match, or with line
    // (from 1) the first match on that line. nativePath: as the file system
    // spells it, which need not be valid text.
    void ShowFile(int row, const QByteArray &nativePath, const CKeywordQuery &query, qint64 line = 0);
    // A filename result: its path, highlighted.
    void ShowFileName(int row, const QString &path, const CKeywordQuery &query);
    // Nothing on show any more (a new search); a running load is abandoned.
    void Forget();

    void PreviousBlock();
    void NextBlock();
    void PreviousMatch();
    void NextMatch();
    // The user chose a codec for the file on show.
    void DecodeWith(int mib);
    // Escape: a running load or scan stops, or is abandoned if it does not.
    void StopLoading();

signals:
    // A box to show the user (the window shows it in its style).
    void MessageRequested(QMessageBox::Icon icon, const QString &title, const QString &text);
    // The answer awaited is on show (or dropped): tests and benchmarks wait for it.
    void Settled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct CMatch
    {
        int Start;
        int Length;
    };

    void StartLoader();
    void RetireLoader();
    quint64 Ask(TEnumViewStep step, int mib = 0);
    void OnDone(const CViewedText &answer);
    void OnProgress(quint64 generation, qint64 offset, qint64 size);
    void ShowLoaded(const CViewedText &answer);
    void ShowStep(const CViewedText &answer);
    void ShowAnswerText(const CViewedText &answer, bool lastMatch);
    void ShowEncoding(TEnumTextEncoding encoding, QTextCodec *unmarkedCodec);
    void SayStepFailure(const CViewedText &answer);
    void GoToMatch(int index);
    int MatchOnLine(const CViewedText &answer) const;
    void ShowStrip();
    QString BlockText() const;
    QString MatchText() const;
    void ShowWaitingText();
    void Abandon(quint64 generation);

    CContentEdit *Pane;
    QComboBox *Charsets;
    CUnmarkedTextCharset Charset;

    QThread *LoaderThread = nullptr;
    CResultLoader *Loader = nullptr;
    quint64 LastGeneration = 0;
    quint64 Waiting = 0;
    // A stopped request did not come back: the loader may be stuck in a read.
    bool LoaderStuck = false;
    TEnumViewStep WaitingStep = ViewLoad;
    QString ProgressText;

    int Row = -1;
    CKeywordQuery Query;
    // What is on show: where it lies in the file and what is known of the rest.
    CViewedText OnShow;
    QByteArray WholeBytes;
    QVector<CMatch> Matches;
    int CurrentMatch = -1;
    // The line asked for by the load awaited, 0 for none.
    qint64 TargetLine = 0;
    // Said once, after a step: why nothing moved.
    QString Note;
};

#endif
