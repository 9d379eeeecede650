// Texts fit where they are shown: no label or button of the main window or of
// a dialog is narrower than its text, no dialog text needs a scroll bar, and
// the main window opens at its least size with even margins and grows.
// CTest runs this at 96, 120 and 144 dpi (QT_FONT_DPI); every case also runs
// under a catalogue that doubles every text, as a longer translation would.

#include <QtTest>

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTranslator>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

// Every text of the program, twice: "Keyword(s) Keyword(s)".
class CDoublingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char * = nullptr, int = -1) const override
    {
        const QString text = QString::fromUtf8(sourceText);
        return text.isEmpty() ? QString() : text + QLatin1Char(' ') + text;
    }
};

QString Name(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

void CheckLabel(const QLabel *label, QStringList &problems)
{
    if (label->text().isEmpty() || !label->pixmap(Qt::ReturnByValue).isNull())
        return;
    if (label->wordWrap()) {
        if (label->heightForWidth(label->width()) > label->height())
            problems << QStringLiteral("%1: wrapped text cut off at the bottom").arg(Name(label));
        return;
    }
    const QSize hint = label->sizeHint();
    if (label->width() < hint.width() || label->height() < hint.height())
        problems << QStringLiteral("%1 \"%2\": %3 x %4, its text needs %5 x %6")
                        .arg(Name(label), label->text())
                        .arg(label->width())
                        .arg(label->height())
                        .arg(hint.width())
                        .arg(hint.height());
    if (label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text())) {
        // An accelerator's "&" is not shown.
        QString shown = label->text();
        if (label->buddy())
            shown.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        const int advance = label->fontMetrics().horizontalAdvance(shown);
        if (advance > label->contentsRect().width())
            problems << QStringLiteral("%1 \"%2\": %3 pixels of text in %4")
                            .arg(Name(label), label->text())
                            .arg(advance)
                            .arg(label->contentsRect().width());
    }
}

void CheckSizeHint(const QWidget *widget, const QString &text, QStringList &problems)
{
    const QSize hint = widget->sizeHint();
    if (widget->width() < hint.width() || widget->height() < hint.height())
        problems << QStringLiteral("%1 \"%2\": %3 x %4, needs %5 x %6")
                        .arg(Name(widget), text)
                        .arg(widget->width())
                        .arg(widget->height())
                        .arg(hint.width())
                        .arg(hint.height());
}

void CheckTextView(const QTextEdit *view, QStringList &problems)
{
    if (view->verticalScrollBar()->maximum() > 0 || view->verticalScrollBar()->isVisible())
        problems << QStringLiteral("%1: the text needs a vertical scroll bar").arg(Name(view));
    if (view->horizontalScrollBar()->maximum() > 0 || view->horizontalScrollBar()->isVisible())
        problems << QStringLiteral("%1: the text needs a horizontal scroll bar").arg(Name(view));
}

void CheckHeader(const QHeaderView *header, QStringList &problems)
{
    for (int section = 0; section < header->count(); ++section)
        if (header->sectionSize(section) < header->sectionSizeHint(section))
            problems << QStringLiteral("%1 section %2: %3 pixels, its title needs %4")
                            .arg(Name(header))
                            .arg(section)
                            .arg(header->sectionSize(section))
                            .arg(header->sectionSizeHint(section));
}

// What is cut off in the shown window or dialog.
QStringList TextsCutOff(QWidget *top)
{
    QStringList problems;
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(top))
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget))
            CheckLabel(label, problems);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            CheckSizeHint(button, button->text(), problems);
        else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            if (!combo->isEditable())
                CheckSizeHint(combo, combo->currentText(), problems);
        } else if (auto *view = qobject_cast<QTextBrowser *>(widget))
            CheckTextView(view, problems);
        else if (auto *header = qobject_cast<QHeaderView *>(widget))
            CheckHeader(header, problems);
    }
    return problems;
}

// With LINTRA_FORMFIT_SHOTS set to a folder, the shown windows are saved
// there as pictures to look at (NAME-DPI.png).
void SaveShot(QWidget *shown, const QString &name)
{
    const QString folder = qEnvironmentVariable("LINTRA_FORMFIT_SHOTS");
    if (folder.isEmpty())
        return;
    QString file = QStringLiteral("%1/%2-%3.png").arg(folder, name).arg(shown->logicalDpiY());
    file.replace(QLatin1Char(' '), QLatin1Char('-'));
    shown->grab().save(file);
}

} // namespace

class TestFormFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { ResetTestSettings(); }
    void cleanup();

    void mainWindowTextsFit_data() { Languages(); }
    void mainWindowTextsFit();
    void mainWindowGrowsWithEvenMargins_data() { Languages(); }
    void mainWindowGrowsWithEvenMargins();
    void dialogTextsFit_data();
    void dialogTextsFit();

private:
    QTranslator *Doubling = nullptr;

    void Languages()
    {
        QTest::addColumn<bool>("doubled");
        QTest::newRow("English") << false;
        QTest::newRow("doubled texts") << true;
    }
    void UseLanguage(bool doubled)
    {
        if (doubled) {
            Doubling = new CDoublingTranslator;
            QCoreApplication::installTranslator(Doubling);
        }
    }
};

void TestFormFit::initTestCase()
{
    // The dpi the texts are measured at must be the one asked for.
    const QByteArray dpi = qgetenv("QT_FONT_DPI");
    QWidget probe;
    QCOMPARE(probe.logicalDpiY(), dpi.isEmpty() ? probe.logicalDpiY() : dpi.toInt());
    qInfo("measuring at %d dpi", probe.logicalDpiY());
}

void TestFormFit::cleanup()
{
    if (Doubling) {
        QCoreApplication::removeTranslator(Doubling);
        delete Doubling;
        Doubling = nullptr;
    }
}

void TestFormFit::mainWindowTextsFit()
{
    QFETCH(bool, doubled);
    UseLanguage(doubled);
    CLintra window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(TextsCutOff(&window).isEmpty(), qPrintable(TextsCutOff(&window).join('\n')));
    if (doubled)
        QVERIFY(ControlText(window, "Keywords2Search_Label").count(QStringLiteral("Keyword(s)")) == 2);

    // The texts of a search and of a shown result fit too, in the room the
    // window had: it does not change its size after a search.
    const QSize before = window.size();
    Control<QLabel>(window, "SearchingProgressStatus_Label")
        ->setText(QCoreApplication::translate("CLintra",
                                              "%1 of the %2 searched files contain(s) the given keyword(s).")
                      .arg(123456)
                      .arg(7654321));
    Control<QLabel>(window, "ResultContentHeader_Label")
        ->setText(QCoreApplication::translate("CLintra", "File Content in Charset"));
    Control<QComboBox>(window, "ResultContentCharset_ComboBox")->show();
    QTest::qWait(50);
    SaveShot(&window, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(window.size(), before);
    QVERIFY2(TextsCutOff(&window).isEmpty(), qPrintable(TextsCutOff(&window).join('\n')));
}

void TestFormFit::mainWindowGrowsWithEvenMargins()
{
    QFETCH(bool, doubled);
    UseLanguage(doubled);
    CLintra window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize size = window.size();
    QCOMPARE(window.minimumSize(), size);
    // At least as large as drawn for 96 dpi, in the dpi of the screen.
    const double scale = qMax(1.0, window.logicalDpiY() / 96.0);
    QVERIFY2(size.width() >= qRound(681 * scale) - 1 && size.height() >= qRound(552 * scale) - 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    // Long history entries do not widen it.
    for (QComboBox *box : {Control<QComboBox>(window, "Keywords2Search_ComboBox"),
                           Control<QComboBox>(window, "Dir2Search_ComboBox")}) {
        box->addItem(QString(300, QLatin1Char('k')));
        box->addItem(QString(100000, QLatin1Char('k')));
    }
    QTest::qWait(20);
    QCOMPARE(window.minimumSize(), size);

    const QRect content = Control<QWidget>(window, "verticalLayoutWidget")->geometry();
    QVERIFY(content.left() > 0);
    QCOMPARE(content.top(), content.left());
    QCOMPARE(size.width() - content.right() - 1, content.left());
    QCOMPARE(size.height() - content.bottom() - 1, content.left());

    // Larger: the results, the pane and the fields take the room, the buttons keep theirs.
    const QRect button = Control<QPushButton>(window, "DoFilenameSearch_PushButton")->geometry();
    const QRect keywords = Control<QComboBox>(window, "Keywords2Search_ComboBox")->geometry();
    const QSize table = Control<CResultsTable>(window, "FilesFound_TableWidget")->size();
    const QSize pane = Control<CContentEdit>(window, "FileContent_TextEdit")->size();
    // A wrapped status line may take less height when wider: the results take that room too.
    const QLabel *status = Control<QLabel>(window, "SearchingProgressStatus_Label");
    const int statusHeight = status->height();
    window.resize(size + QSize(800, 200));
    QTRY_COMPARE(window.size(), size + QSize(800, 200));
    const int freed = statusHeight - status->height();
    QCOMPARE(Control<QPushButton>(window, "DoFilenameSearch_PushButton")->geometry(),
             button.translated(800, 0));
    QCOMPARE(Control<QComboBox>(window, "Keywords2Search_ComboBox")->geometry(),
             keywords.adjusted(0, 0, 800, 0));
    QCOMPARE(Control<CResultsTable>(window, "FilesFound_TableWidget")->height(),
             table.height() + 200 + freed);
    QCOMPARE(Control<CContentEdit>(window, "FileContent_TextEdit")->height(), pane.height() + 200 + freed);
    QVERIFY(Control<CResultsTable>(window, "FilesFound_TableWidget")->width() > table.width() + 300);
    QVERIFY(Control<CContentEdit>(window, "FileContent_TextEdit")->width() > pane.width() + 60);
}

void TestFormFit::dialogTextsFit_data()
{
    QTest::addColumn<bool>("doubled");
    QTest::addColumn<QString>("dialog");
    for (bool doubled : {false, true}) {
        const char *language = doubled ? "doubled texts" : "English";
        for (const char *dialog : {"about", "update available", "no update", "network error", "tray notice"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(dialog, language)))
                << doubled << QString::fromLatin1(dialog);
    }
}

void TestFormFit::dialogTextsFit()
{
    QFETCH(bool, doubled);
    QFETCH(QString, dialog);
    UseLanguage(doubled);
    CLintra window(TrayEnvironment(true));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The automatic check (which fails silently here) must be over first.
    QTRY_VERIFY_WITH_TIMEOUT(!window.UpdateCheck().IsRunning(), 20000);

    CModalDialogCloser closer;
    QStringList problems;
    QString text;
    closer.Close = [&problems, &text](QDialog *shown) {
        problems = TextsCutOff(shown);
        SaveShot(shown, QString::fromLatin1(QTest::currentDataTag()));
        if (auto *browser = shown->findChild<QTextBrowser *>())
            text = browser->toPlainText();
        else if (auto *box = qobject_cast<QMessageBox *>(shown))
            text = box->text();
        shown->reject();
    };
    if (dialog == QLatin1String("about")) {
        QVERIFY(QMetaObject::invokeMethod(&window, "on_About_PushButton_clicked"));
    } else if (dialog != QLatin1String("tray notice")) {
        CUpdateOutcome outcome;
        outcome.Manual = true;
        outcome.NetworkError = dialog == QLatin1String("network error");
        outcome.UpdateAvailable = dialog == QLatin1String("update available");
        outcome.LatestVersion = QStringLiteral("0.108");
        outcome.LatestBuild = QStringLiteral("20100101");
        window.ShowUpdateOutcome(outcome);
    } else {
        // The notice is about hiding into a tray; without one closing quits.
        window.close();
    }
    QStringList titles;
    for (const CSeenDialog &seen : qAsConst(closer.Seen))
        titles << seen.Title;
    QVERIFY2(closer.Seen.size() == 1, qPrintable(titles.join(QStringLiteral(", "))));
    QVERIFY(!text.isEmpty());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

QTEST_MAIN(TestFormFit)
#include "tst_formfit.moc"
