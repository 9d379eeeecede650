// The result viewer in the window: whole files and blocks, the first block
// with a keyword, paging with its messages, re-decoding, jumping between
// matches, and memory over many clicks. Files are real, in a temporary
// folder; what is checked is what the pane and the strip below it show.

#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextDocumentFragment>

#include <fcntl.h>
#include <sys/stat.h>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "search/core/resultsmodel.h"
#include "testsupport.h"
#include "text/core/localcharset.h"
#include "viewer/cresultviewer.h"
#include "windowdriver.h"

Q_DECLARE_METATYPE(TEnumTextEncoding)

namespace {

// `count` lines of exactly `length` bytes; the keyword, if any, starts line `keywordLine`.
QByteArray Lines(int count, int length, int keywordLine = -1, const QByteArray &keyword = "needle")
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        QByteArray line = QByteArray::number(i).rightJustified(6, '0') + ' ';
        if (i == keywordLine)
            line += keyword + ' ';
        bytes += line.leftJustified(length - 1, 'x', true) + '\n';
    }
    return bytes;
}

qint64 ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readAll().split(' ').value(1).toLongLong() * 4096;
}

} // namespace

class TestViewer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeOrBlocksBySize_data();
    void wholeOrBlocksBySize();
    void hundredByteLines();
    void longLinesNumberedAsGrepDoes();
    void longFirstLine();
    void firstKeywordInBlockThree();
    void unicodePagedWithoutGarbage_data();
    void unicodePagedWithoutGarbage();
    void firstBlockReadAgainForItsEncoding();
    void utf32LeShownWhole();
    void gb18030ReDecodedWhole();
    void charsetChosenForAPagedFile();
    void paneShortcutsWork();
    void blockPositionShown();
    void jumpBetweenMatches();
    void truncatedWhilePagingSaysSo();
    void backFromPastTheEndSaysEnd();
    void deletedFileShowsNothing_data();
    void deletedFileShowsNothing();
    void messagesAtBothEnds();
    void deletedWhilePagingSaysSo();
    void blockSlotsWithoutCurrentRowDoNothing();
    void ctrlEndShowsTheCurrentRow();
    void noKeywordInAnyBlock();
    void noKeywordTypedShowsFirstBlock();
    void secondBigFileStartsAfresh();
    void filenameRowsShowEditedKeywords();
    void clickReloadsOnlyTheRowOnShow();
    void resultOfARealSearch();
    void memoryFlatOverThousandClicks();

private:
    QString Write(const QByteArray &bytes)
    {
        const QString path = Dir->filePath(QStringLiteral("result %1.txt").arg(++Files));
        WriteTestFile(path, bytes);
        return path;
    }
    void Show(const QString &path, const QString &keywords, TEnumSearchWhat what = SearchWhatFullText)
    {
        Control<QComboBox>(*Window, "Keywords2Search_ComboBox")->setEditText(keywords);
        Window->AddResultRows(QStringList{path}, what);
        Control<CResultsTable>(*Window, "FilesFound_TableWidget")
            ->selectRow(Control<CResultsTable>(*Window, "FilesFound_TableWidget")->rowCount() - 1);
        Settle();
    }
    // The file on show is loaded on another thread: waits for its answer.
    void Settle() { QVERIFY(WaitForViewer(*Window)); }
    // Pages with the pane's own actions; returns the boxes shown.
    QStringList Page(bool next)
    {
        return BoxesShownBy([this, next] {
            Pane()->BlockActions.at(next ? 1 : 0)->trigger();
            Settle();
        });
    }
    // The next or previous match, as F3 and Shift+F3 ask for it.
    void Jump(bool next)
    {
        Pane()->MatchActions.at(next ? 1 : 0)->trigger();
        Settle();
    }
    // "icon|title|text|font family" of each box the call runs modally.
    static QStringList BoxesShownBy(const std::function<void()> &call)
    {
        CModalDialogCloser closer;
        QStringList fonts;
        closer.Close = [&fonts](QDialog *dialog) {
            fonts << dialog->font().family();
            QCOMPARE(PictureProblem(dialog->windowIcon().pixmap(16)), QString());
            dialog->reject();
        };
        call();
        QStringList boxes;
        for (int i = 0; i < closer.Seen.size(); ++i) {
            const CSeenDialog &box = closer.Seen.at(i);
            boxes << QStringLiteral("%1|%2|%3|%4")
                         .arg(box.Icon == QMessageBox::Warning ? "warning" : "information", box.Title,
                              box.Text, fonts.value(i));
        }
        return boxes;
    }
    CContentEdit *Pane() const { return Control<CContentEdit>(*Window, "FileContent_TextEdit"); }
    QString Shown() const { return Pane()->toPlainText(); }
    QString Strip() const
    {
        return Pane()->Position_Label->isHidden() ? QString() : Pane()->Position_Label->text();
    }
    QString Selected() const { return Pane()->textCursor().selectedText(); }

    QTemporaryDir *Dir = nullptr;
    CLintra *Window = nullptr;
    int Files = 0;
};

void TestViewer::init()
{
    Dir = new QTemporaryDir;
    QVERIFY(Dir->isValid());
    Window = new CLintra;
}

void TestViewer::cleanup()
{
    delete Window;
    delete Dir;
}

void TestViewer::wholeOrBlocksBySize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("inBlocks");
    QTest::newRow("51199 bytes, whole") << 51199 << false;
    QTest::newRow("51200 bytes, in blocks") << 51200 << true;
}

void TestViewer::wholeOrBlocksBySize()
{
    QFETCH(int, size);
    QFETCH(bool, inBlocks);
    const QByteArray bytes = Lines(512, 100, 0).left(size);
    Show(Write(bytes), "needle");
    QCOMPARE(Shown(), QString::fromLatin1(bytes));
    QCOMPARE(Pane()->PartialDocument, inBlocks);
    QVERIFY(Control<QComboBox>(*Window, "ResultContentCharset_ComboBox")->isEnabled());
    QCOMPARE(Strip(), inBlocks ? QStringLiteral("Block 1 of 1  ·  Last match: 1 of 1, line 1")
                               : QStringLiteral("Last match: 1 of 1, line 1"));
    QVERIFY(Pane()->toolTip().contains(inBlocks ? "Only partial document" : "The whole document is loaded"));
}

// A line longer than the pane takes at once is shown in pieces, but numbered
// as one line, as grep -n numbers it.
void TestViewer::longLinesNumberedAsGrepDoes()
{
    Show(Write(QByteArray(20000, 'a') + "\nneedle\n"), "needle");
    QCOMPARE(Strip(), QStringLiteral("Last match: 1 of 1, line 2"));
    Show(Write(QByteArray(20000, 'a') + "\n" + Lines(1000, 100, 900)), "needle");
    QCOMPARE(Strip(), QStringLiteral("Block 3 of 3  ·  Last match: 1 of 1, line 902"));
}

void TestViewer::hundredByteLines()
{
    const QByteArray bytes = Lines(1000, 100, 3);
    Show(Write(bytes), "needle");
    QCOMPARE(Shown(), QString::fromLatin1(bytes.left(51300)));
    QCOMPARE(Strip(), QStringLiteral("Block 1 of about 2  ·  Match 1 of at least 1, line 4"));

    QVERIFY(Page(true).isEmpty());
    QCOMPARE(Shown(), QString::fromLatin1(bytes.mid(51300)));
    QCOMPARE(Strip(), QStringLiteral("Block 2 of 2"));
}

void TestViewer::longFirstLine()
{
    // Words, not one unbroken run: the pane takes seconds to lay out such a run.
    const QByteArray first = "needle " + QByteArray("word ").repeated(39998) + "wo\n";
    QCOMPARE(first.size(), 200000);
    // Taken in pieces of the line limit, so that no block shown is much
    // longer than the block limit: a block of seven pieces, three times.
    const int block = 7 * int(MaxLineBytes);
    Show(Write(first + Lines(5, 50)), "needle");
    QCOMPARE(Shown(), QString::fromLatin1(first.left(block)));
    for (int i = 0; i < 3; ++i)
        QVERIFY(Page(true).isEmpty());
    QCOMPARE(Shown(), QString::fromLatin1(first.mid(3 * block) + Lines(5, 50)));
    QCOMPARE(Strip(), QStringLiteral("Block 4 of 4"));
}

void TestViewer::firstKeywordInBlockThree()
{
    const QByteArray bytes = Lines(3000, 100, 3 * 513 + 10);
    Show(Write(bytes), "needle");
    QCOMPARE(Shown(), QString::fromLatin1(bytes.mid(3 * 51300, 51300)));
    QCOMPARE(Strip(), QStringLiteral("Block 4 of about 6  ·  Match 1 of at least 1, line 1,550"));

    QVERIFY(Page(false).isEmpty());
    QCOMPARE(Shown(), QString::fromLatin1(bytes.mid(102600, 51300)));
    QCOMPARE(Strip(), QStringLiteral("Block 3 of about 6"));

    QVERIFY(Page(true).isEmpty());
    QCOMPARE(Strip(), QStringLiteral("Block 4 of about 6  ·  Match 1 of at least 1, line 1,550"));
}

void TestViewer::unicodePagedWithoutGarbage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("entry");

    QString text;
    for (int i = 0; text.size() < 100000; ++i)
        text +=
            QString::fromUtf8("%1 needle Ċ Њ ਊ 上海 😀 строка %2\n").arg(i).arg(QString(i % 40, QChar('z')));
    const QString bom(QChar(0xFEFF));
    QTest::newRow("utf16 le bom") << text << Utf16Bytes(bom + text, false) << "UTF-16LE";
    QTest::newRow("utf16 le nobom") << text << Utf16Bytes(text, false) << "UTF-16LE";
    QTest::newRow("utf16 be bom") << text << Utf16Bytes(bom + text, true) << "UTF-16BE";
    QTest::newRow("utf32 le bom") << text << Utf32Bytes(bom + text, false) << "UTF-32LE";
}

void TestViewer::unicodePagedWithoutGarbage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, entry);
    QVERIFY(bytes.size() >= 200000);
    Show(Write(bytes), "needle");
    QCOMPARE(ControlText(*Window, "ResultContentCharset_ComboBox", "currentText"), entry);
    QStringList blocks{Shown()};
    QStringList boxes;
    while ((boxes = Page(true)).isEmpty())
        blocks << Shown();
    QCOMPARE(boxes, QStringList{"information|Information|Already at the end of the file!|verdana"});
    QVERIFY(blocks.size() >= 4);
    QCOMPARE(blocks.join(QString()), text);

    for (int b = blocks.size() - 2; b >= 0; --b) {
        QVERIFY(Page(false).isEmpty());
        QCOMPARE(Shown(), blocks.at(b));
    }
    QCOMPARE(Page(false),
             QStringList{"information|Information|Already at the beginning of the file!|verdana"});
}

// The start of the file looks like UTF-16LE, the whole first block does not
// (a NUL unit just past the limit): its lines are those of 8-bit text then.
void TestViewer::firstBlockReadAgainForItsEncoding()
{
    QString text;
    for (int line = 0; line < 256; ++line)
        text += QString::number(line).rightJustified(99, QChar('a')) + '\n';
    text += QStringLiteral("needle") + QChar(0) + QStringLiteral("tail\n");
    const QByteArray bytes = Utf16Bytes(text.repeated(3), false);
    Show(Write(bytes), "needle");
    QCOMPARE(ControlText(*Window, "ResultContentCharset_ComboBox", "currentText"),
             CodecEntryName(QTextCodec::codecForLocale()));
    while (Page(false).isEmpty()) {
    }
    // 8-bit lines: the first ends at the first 0x0A byte, 199 bytes in.
    QString firstLine = QTextCodec::codecForLocale()->toUnicode(bytes.left(198));
    QCOMPARE(Shown().section('\n', 0, 0), firstLine.replace(QChar(0), QChar::ReplacementCharacter));
}

void TestViewer::gb18030ReDecodedWhole()
{
    QTextCodec *gb18030 = QTextCodec::codecForName("GB18030");
    const QString text = QString::fromUtf8("北京和上海的天气。needle 第二行：中文文本。\n").repeated(200);
    Show(Write(gb18030->fromUnicode(text)), "needle");
    QComboBox *selector = Control<QComboBox>(*Window, "ResultContentCharset_ComboBox");
    QCOMPARE(selector->currentText(), CodecEntryName(QTextCodec::codecForLocale()));
    QVERIFY(Shown() != text);

    const int entry = selector->findData(gb18030->mibEnum());
    selector->setCurrentIndex(entry);
    emit selector->activated(entry);
    Settle();
    QCOMPARE(Shown(), text);
}

void TestViewer::utf32LeShownWhole()
{
    const QString text = QString::fromUtf8("Grüße, a needle in UTF-32LE 上海\n").repeated(30);
    Show(Write(Utf32Bytes(QChar(0xFEFF) + text, false)), "needle");
    QVERIFY(!Pane()->PartialDocument);
    QCOMPARE(Shown(), text);
    QCOMPARE(ControlText(*Window, "ResultContentCharset_ComboBox", "currentText"),
             QStringLiteral("UTF-32LE"));
    QTextCursor cursor(Pane()->document());
    cursor.setPosition(text.indexOf("needle") + 1);
    QCOMPARE(cursor.charFormat().background().color(), QColor(Qt::lightGray));
}

// A file shown in blocks is decoded with the chosen codec, the block on show
// at once and every block paged to after it, until another file is selected.
void TestViewer::charsetChosenForAPagedFile()
{
    QTextCodec *koi8 = QTextCodec::codecForName("KOI8-R");
    QString text;
    for (int line = 0; line < 3000; ++line)
        text += QString::fromUtf8("%1 строка русского текста needle\n").arg(line, 5, 10, QChar('0'));
    const QByteArray bytes = koi8->fromUnicode(text);
    Show(Write(bytes), "needle");
    QVERIFY(Pane()->PartialDocument);
    QComboBox *selector = Control<QComboBox>(*Window, "ResultContentCharset_ComboBox");
    QVERIFY(!Shown().contains(QString::fromUtf8("строка")));
    const int entry = selector->findData(koi8->mibEnum());
    QVERIFY(entry >= 0);
    selector->setCurrentIndex(entry);
    emit selector->activated(entry);
    Settle();
    const QString first = Shown();
    QVERIFY(text.startsWith(first));
    QVERIFY(first.size() > 1000);

    QVERIFY(Page(true).isEmpty());
    QCOMPARE(Shown(), text.mid(first.size(), Shown().size()));
    QCOMPARE(selector->currentText(), QStringLiteral("KOI8-R"));
    QVERIFY(Page(false).isEmpty());
    QCOMPARE(Shown(), first);

    // Another file: its own encoding again.
    Show(Write(bytes), "needle");
    QVERIFY(!Shown().contains(QString::fromUtf8("строка")));
    QCOMPARE(selector->currentText(), CodecEntryName(QTextCodec::codecForLocale()));
}

// Every key the pane's menu shows works with the focus in the pane, and no
// key belongs to two actions of the window.
void TestViewer::paneShortcutsWork()
{
    const QByteArray bytes = Lines(3000, 100, 600);
    Show(Write(bytes), "needle");
    Window->show();
    QApplication::setActiveWindow(Window);
    QVERIFY(QTest::qWaitForWindowActive(Window));
    Pane()->setFocus();
    QTRY_VERIFY(Pane()->hasFocus());

    QScopedPointer<QMenu> menu(Pane()->CreateContextMenu());
    QStringList shown;
    // The standard entries show their keys in their text.
    for (QAction *action : menu->actions()) {
        const QString key =
            action->shortcut().isEmpty() ? action->text().section('\t', 1) : action->shortcut().toString();
        if (!key.isEmpty())
            shown << key;
    }
    QCOMPARE(shown, (QStringList{"Ctrl+C", "Ctrl+A", "Shift+F3", "F3", "Ctrl+P", "Ctrl+N"}));
    QStringList keys;
    for (QAction *action : Window->findChildren<QAction *>()) {
        for (const QKeySequence &key : action->shortcuts())
            keys << key.toString();
    }
    for (const QString &key : keys)
        QVERIFY2(keys.count(key) == 1, qPrintable(key));

    QVERIFY(BoxesShownBy([this] {
                QTest::keyClick(Pane(), Qt::Key_N, Qt::ControlModifier);
                Settle();
            }).isEmpty());
    QCOMPARE(Shown(), QString::fromLatin1(bytes.mid(2 * 51300, 51300)));
    QVERIFY(BoxesShownBy([this] {
                QTest::keyClick(Pane(), Qt::Key_P, Qt::ControlModifier);
                Settle();
            }).isEmpty());
    QCOMPARE(Shown(), QString::fromLatin1(bytes.mid(51300, 51300)));

    QTest::keyClick(Pane(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Pane()->textCursor().selection().toPlainText(), Shown());
    QApplication::clipboard()->clear();
    QTest::keyClick(Pane(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), Shown());
}

void TestViewer::blockPositionShown()
{
    QLabel *position = Pane()->Position_Label;
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    Show(Write(Lines(3000, 100, 3 * 513 + 10)), "needle");
    QVERIFY(position->isVisible());
    QCOMPARE(position->text(), QStringLiteral("Block 4 of about 6  ·  Match 1 of at least 1, line 1,550"));
    QVERIFY(Page(true).isEmpty());
    QCOMPARE(position->text(), QStringLiteral("Block 5 of about 6"));
    QVERIFY(Page(true).isEmpty());
    QCOMPARE(position->text(), QStringLiteral("Block 6 of 6"));
    QCOMPARE(Page(true), QStringList{"information|Information|Already at the end of the file!|verdana"});
    QCOMPARE(position->text(), QStringLiteral("Block 6 of 6"));
    QVERIFY(Page(false).isEmpty());
    QCOMPARE(position->text(), QStringLiteral("Block 5 of 6"));
    // Below the text, which it does not hide, in a pane as wide as before.
    QCOMPARE(position->parentWidget(), Pane());
    QVERIFY(position->geometry().top() > Pane()->viewport()->geometry().bottom());
    QVERIFY(position->geometry().bottom() < Pane()->height());
    QCOMPARE(Pane()->minimumSizeHint().width(), CContentEdit().minimumSizeHint().width());

    Show(Write(Lines(1200, 100)), "needle");
    QCOMPARE(position->text(), QStringLiteral("No keyword in any of the 3 blocks"));
    QVERIFY(position->isVisible());

    Show(Write(Lines(10, 100)), "needle");
    QVERIFY(!position->isVisible());
    Show(Write(Lines(3000, 100, 1)), "needle");
    QVERIFY(position->isVisible());
    Control<CContentEdit>(*Window, "FileContent_TextEdit")->clear();
    QVERIFY(!position->isVisible());
}

// F3 and Shift+F3 go from match to match, straight to the block that holds
// the next one, with the match in the middle of the pane; the strip numbers
// the match and says when there is no further one.
void TestViewer::jumpBetweenMatches()
{
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    QByteArray bytes = Lines(3000, 100);
    for (const int line : {10, 20, 1600, 2900})
        bytes.replace(line * 100 + 7, 7, "needle ");
    Show(Write(bytes), "needle");
    QCOMPARE(Selected(), QStringLiteral("needle"));
    QCOMPARE(Strip(), QStringLiteral("Block 1 of about 6  ·  Match 1 of at least 2, line 11"));
    Jump(true);
    QCOMPARE(Strip(), QStringLiteral("Block 1 of about 6  ·  Match 2 of at least 2, line 21"));
    Jump(true);
    QCOMPARE(Strip(), QStringLiteral("Block 4 of about 6  ·  Match 3 of at least 3, line 1,601"));
    QCOMPARE(Selected(), QStringLiteral("needle"));
    QVERIFY(Shown().startsWith(QString::fromLatin1(bytes.mid(3 * 51300, 100))));
    const int middle = Pane()->viewport()->height() / 2;
    QVERIFY2(qAbs(Pane()->cursorRect().center().y() - middle) <= Pane()->fontMetrics().height(),
             qPrintable(QString::number(Pane()->cursorRect().center().y())));
    Jump(true);
    QCOMPARE(Strip(), QStringLiteral("Block 6 of 6  ·  Last match: 4 of 4, line 2,901"));
    Jump(true);
    QCOMPARE(Strip(),
             QStringLiteral("Block 6 of 6  ·  Last match: 4 of 4, line 2,901  ·  No further match."));
    Jump(false);
    QCOMPARE(Strip(), QStringLiteral("Block 4 of 6  ·  Match 3 of 4, line 1,601"));
    Jump(false);
    QCOMPARE(Strip(), QStringLiteral("Block 1 of 6  ·  Match 2 of 4, line 21"));
    Jump(false);
    Jump(false);
    QCOMPARE(Strip(), QStringLiteral("Block 1 of 6  ·  Match 1 of 4, line 11  ·  No earlier match."));
}

// A file cut short while paged: each step says so, and neither the pane
// nor the position moves.
void TestViewer::truncatedWhilePagingSaysSo()
{
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    const QString path = Write(Lines(3000, 100, 3 * 513 + 10));
    Show(path, "needle");
    const QString block = Shown();
    const QString position = Pane()->Position_Label->text();
    QVERIFY(QFile(path).resize(1000));
    const QString shrunk =
        "The file has become shorter since it was opened: this part of it can no longer be "
        "read. Select the file again to read it anew.";
    QCOMPARE(Page(false), QStringList{"warning|Error|" + shrunk + "|verdana"});
    QCOMPARE(Page(true), QStringList{"warning|Result File Content|" + shrunk + "|verdana"});
    QCOMPARE(Shown(), block);
    QCOMPARE(Pane()->Position_Label->text(), position);
}

// After a scan that found no keyword, Previous shows the last block, and
// Next from there says the end is reached instead of doing nothing.
void TestViewer::backFromPastTheEndSaysEnd()
{
    const QByteArray bytes = Lines(1200, 100);
    Show(Write(bytes), "needle");
    QVERIFY(Page(false).isEmpty());
    QCOMPARE(Strip(), QStringLiteral("Block 3 of 3"));
    const QString last = Shown();
    QCOMPARE(Page(true), QStringList{"information|Information|Already at the end of the file!|verdana"});
    QCOMPARE(Strip(), QStringLiteral("Block 3 of 3"));
    QCOMPARE(Shown(), last);
}

// Nothing to show, and the strip below the pane says why; no box.
void TestViewer::deletedFileShowsNothing_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("said");
    QTest::newRow("deleted") << false << "The file is gone: it was deleted or moved.";
    QTest::newRow("a FIFO, never waited on")
        << true << "Not shown: this is not a regular file but a FIFO, socket or device.";
}

void TestViewer::deletedFileShowsNothing()
{
    QFETCH(bool, fifo);
    QFETCH(QString, said);
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    const QString path = Write(Lines(10, 40, 1));
    QVERIFY(QFile::remove(path));
    if (fifo)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QVERIFY(BoxesShownBy([&] { Show(path, "needle"); }).isEmpty());
    QCOMPARE(Shown(), QString());
    QCOMPARE(Pane()->toolTip(), QString());
    QCOMPARE(Strip(), said);
}

void TestViewer::messagesAtBothEnds()
{
    Show(Write(Lines(512, 100, 0)), "needle");
    QCOMPARE(Page(true), QStringList{"information|Information|Already at the end of the file!|verdana"});
    QCOMPARE(Page(false),
             QStringList{"information|Information|Already at the beginning of the file!|verdana"});
    QCOMPARE(Strip(), QStringLiteral("Block 1 of 1  ·  Last match: 1 of 1, line 1"));
}

// A file deleted while paged: each step says that it is gone, without a
// box, and the pane and the position stay.
void TestViewer::deletedWhilePagingSaysSo()
{
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    const QString path = Write(Lines(3000, 100, 600));
    Show(path, "needle");
    const QString block = Shown();
    const QString position = Strip();
    QVERIFY(QFile::remove(path));
    for (const bool next : {false, true}) {
        QVERIFY(Page(next).isEmpty());
        QCOMPARE(Shown(), block);
        QCOMPARE(Strip(), position + "  ·  The file is gone: it was deleted or moved.");
    }
    Jump(true);
    QCOMPARE(Strip(), position + "  ·  The file is gone: it was deleted or moved.");
}

void TestViewer::blockSlotsWithoutCurrentRowDoNothing()
{
    Show(Write(Lines(3000, 100, 600)), "needle");
    CResultsTable *table = Control<CResultsTable>(*Window, "FilesFound_TableWidget");
    {
        // As a new search leaves it: an empty table, no row on show.
        const QSignalBlocker blocker(table);
        table->Results()->RemoveAllRows();
    }
    Control<CResultViewer>(*Window, "ResultViewer")->Forget();
    QVERIFY(Pane()->PartialDocument);
    const QString before = Shown();
    QVERIFY(Page(true).isEmpty());
    QVERIFY(Page(false).isEmpty());
    QCOMPARE(Shown(), before);

    // A row of the new search that is current but not yet shown.
    const QString shown = Shown();
    Window->AddResultRows(QStringList{Write(Lines(3000, 100, 1))}, SearchWhatFullText);
    QCOMPARE(table->currentRow(), -1);
    QVERIFY(Page(true).isEmpty());
    QCOMPARE(Shown(), shown);
}

// Ctrl+End moves the current row without selecting it: the row on show
// follows, so that paging then works on it.
void TestViewer::ctrlEndShowsTheCurrentRow()
{
    const QByteArray last = Lines(3000, 100, 600);
    Show(Write(Lines(10, 100, 1)), "needle");
    Window->AddResultRows(QStringList{Write(Lines(10, 100, 2)), Write(last)}, SearchWhatFullText);
    CResultsTable *table = Control<CResultsTable>(*Window, "FilesFound_TableWidget");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_End, Qt::ControlModifier);
    Settle();
    QCOMPARE(table->currentRow(), 2);
    QCOMPARE(Shown(), QString::fromLatin1(last.mid(51300, 51300)));
    QVERIFY(Page(true).isEmpty());
    QCOMPARE(Shown(), QString::fromLatin1(last.mid(2 * 51300, 51300)));
    QVERIFY(table->selectionModel()->isRowSelected(2, QModelIndex()));
}

void TestViewer::noKeywordInAnyBlock()
{
    const QByteArray bytes = Lines(1200, 100);
    Show(Write(bytes), "needle");
    QCOMPARE(Shown(), QString());
    QCOMPARE(Strip(), QStringLiteral("No keyword in any of the 3 blocks"));
    QVERIFY(Page(false).isEmpty());
    QCOMPARE(Strip(), QStringLiteral("Block 3 of 3"));
    QCOMPARE(Shown(), QString::fromLatin1(bytes.mid(1026 * 100)));
}

void TestViewer::noKeywordTypedShowsFirstBlock()
{
    const QByteArray bytes = Lines(1200, 100);
    Show(Write(bytes), "  ");
    QCOMPARE(Strip(), QStringLiteral("Block 1 of about 3"));
    QCOMPARE(Shown(), QString::fromLatin1(bytes.left(51300)));
}

void TestViewer::secondBigFileStartsAfresh()
{
    Show(Write(Lines(3000, 100, 1200)), "needle");
    QCOMPARE(Strip(), QStringLiteral("Block 3 of about 6  ·  Match 1 of at least 1, line 1,201"));
    QVERIFY(Page(true).isEmpty());
    const QByteArray second = Lines(800, 80, 1);
    Show(Write(second), "needle");
    QCOMPARE(Strip(), QStringLiteral("Block 1 of about 2  ·  Match 1 of at least 1, line 2"));
    QCOMPARE(Shown(), QString::fromLatin1(second.left(641 * 80)));
}

void TestViewer::filenameRowsShowEditedKeywords()
{
    const QString path = Write("not opened");
    Show(path, "result", SearchWhatFilename);
    QCOMPARE(Shown(), path);
    QVERIFY(!Pane()->PartialDocument);
    const auto coloured = [this](int position) {
        QTextCursor cursor(Pane()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().background().color() == QColor(Qt::lightGray);
    };
    QVERIFY(coloured(path.lastIndexOf("result")));
    Show(path, "txt", SearchWhatFilename);
    QVERIFY(!coloured(path.lastIndexOf("result")));
    QVERIFY(coloured(path.lastIndexOf("txt")));
    QCOMPARE(Pane()->textCursor().position(), path.lastIndexOf("txt"));
}

void TestViewer::clickReloadsOnlyTheRowOnShow()
{
    const QString first = Write("first needle\n");
    Show(first, "needle");
    Window->AddResultRows(QStringList{Write("second needle\n")}, SearchWhatFullText);
    WriteTestFile(first, "first, changed needle\n");
    for (const QModelIndex &index : {CellIndex(*Window, 1, 0), QModelIndex()}) {
        QVERIFY(QMetaObject::invokeMethod(Window, "OnItemClicked", Q_ARG(QModelIndex, index)));
        Settle();
        QCOMPARE(Shown(), QStringLiteral("first needle\n"));
    }
    QVERIFY(QMetaObject::invokeMethod(Window, "OnItemClicked", Q_ARG(QModelIndex, CellIndex(*Window, 0, 2))));
    Settle();
    QCOMPARE(Shown(), QStringLiteral("first, changed needle\n"));
}

// Found by a real search, also under a name that is not valid UTF-8: the
// viewer opens the file as the file system spells its name.
void TestViewer::resultOfARealSearch()
{
    WriteTestFile(Dir->filePath("tree/big.txt"), Lines(2000, 100, 1500));
    const QByteArray badName = QFile::encodeName(Dir->filePath("tree/bad")) + "\xff.txt";
    QFile bad;
    QVERIFY(bad.open(::open(badName.constData(), O_WRONLY | O_CREAT, 0600), QIODevice::WriteOnly,
                     QFileDevice::AutoCloseHandle));
    bad.write("a needle\n");
    bad.close();
    RunSearch(*Window, Dir->filePath("tree"), "needle", SearchWhatFullText);
    CResultsTable *table = Control<CResultsTable>(*Window, "FilesFound_TableWidget");
    QCOMPARE(table->rowCount(), 2);
    const int big = TablePaths(*Window).indexOf(Dir->filePath("tree/big.txt"));
    table->selectRow(big);
    Settle();
    QCOMPARE(Strip(), QStringLiteral("Block 3 of about 4  ·  Match 1 of at least 1, line 1,501"));
    QVERIFY(Shown().contains("001500 needle"));
    QCOMPARE(ControlText(*Window, "ResultContentCharset_ComboBox", "currentText"),
             CodecEntryName(QTextCodec::codecForLocale()));
    table->selectRow(1 - big);
    Settle();
    QCOMPARE(Shown(), QStringLiteral("a needle\n"));
    QCOMPARE(Pane()->textCursor().selectionStart(), 2);
}

void TestViewer::memoryFlatOverThousandClicks()
{
    CResultsTable *table = Control<CResultsTable>(*Window, "FilesFound_TableWidget");
    QByteArray text;
    for (int line = 0; line < 300; ++line)
        text += "line " + QByteArray::number(line) + (line % 10 ? " of the haystack\n" : " with a needle\n");
    Show(Write(text), "needle haystack");
    Show(Write(text + "and one more line\n"), "needle haystack");
    for (int click = 0; click < 100; ++click) {
        table->selectRow(click % 2);
        Settle();
    }
    const qint64 before = ResidentBytes();
    for (int click = 0; click < 1000; ++click) {
        table->selectRow(click % 2);
        Settle();
    }
    const qint64 growth = ResidentBytes() - before;
#if !defined(__SANITIZE_ADDRESS__)
    // Each document holds far more than 10 kB: a thousand kept ones would show.
    QVERIFY2(growth < 10 * 1024 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
#else
    Q_UNUSED(growth) // freed memory sits in the sanitizer's quarantine
#endif
    QCOMPARE(Pane()->findChildren<QTextDocument *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
}

QTEST_MAIN(TestViewer)
#include "tst_viewer.moc"
