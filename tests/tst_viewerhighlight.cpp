// Keyword highlighting as the content pane shows it (the plan itself is
// tst_highlightplan's).

#include <QtTest>

#include <QTextBlock>
#include <QTextDocument>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "search/core/keywordquery.h"
#include "testsupport.h"
#include "viewer/contentdocument.h"
#include "viewer/core/keywordhighlights.h"
#include "windowdriver.h"

namespace {

QString ForegroundAt(QTextDocument *document, int position)
{
    QTextCursor cursor(document);
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    if (!format.hasProperty(QTextFormat::BackgroundBrush))
        return QStringLiteral("plain");
    if (format.background().color() != QColor(Qt::lightGray))
        return QStringLiteral("wrong background");
    return format.foreground().color().name();
}

} // namespace

class TestViewerHighlight : public QObject
{
    Q_OBJECT

private slots:
    void documentText();
    void paneShowsThePlan();
    void emptyTextKeepsThePane();
    void replacedDocumentsAreDeleted();
};

// Positions must be the document's, where CR LF is one break.
void TestViewerHighlight::documentText()
{
    const QString text = QStringLiteral("a\r\nb\rc\r\r\nd apple\r\n");
    QTextDocument document;
    document.setPlainText(text);
    QCOMPARE(DocumentPlainText(text).size(), document.toPlainText().size());
    QCOMPARE(DocumentPlainText(text).indexOf("apple"), document.toPlainText().indexOf("apple"));
}

void TestViewerHighlight::paneShowsThePlan()
{
    CLintra window;
    CContentEdit *pane = Control<CContentEdit>(window, "FileContent_TextEdit");
    ShowTextWithHighlights(pane, QStringLiteral("xa\r\nyb za"), CKeywordQuery("b a", false, true));
    QTextDocument *document = pane->document();
    QCOMPARE(document->toPlainText(), QStringLiteral("xa\nyb za"));
    QStringList colours;
    for (int i = 0; i < 8; ++i)
        colours << ForegroundAt(document, i);
    QCOMPARE(colours,
             (QStringList{"plain", "#0000ff", "plain", "plain", "#ff0000", "plain", "plain", "#0000ff"}));
    QCOMPARE(pane->textCursor().position(), 4);
    QVERIFY(!pane->textCursor().hasSelection());
    QCOMPARE(document->defaultFont(), pane->currentFont());
}

void TestViewerHighlight::emptyTextKeepsThePane()
{
    CLintra window;
    CContentEdit *pane = Control<CContentEdit>(window, "FileContent_TextEdit");
    ShowTextWithHighlights(pane, QStringLiteral("shown"), CKeywordQuery());
    QTextDocument *document = pane->document();
    ShowTextWithHighlights(pane, QString(), CKeywordQuery());
    QCOMPARE(pane->document(), document);
    QCOMPARE(document->toPlainText(), QStringLiteral("shown"));
}

void TestViewerHighlight::replacedDocumentsAreDeleted()
{
    CLintra window;
    CContentEdit *pane = Control<CContentEdit>(window, "FileContent_TextEdit");
    ShowTextWithHighlights(pane, QStringLiteral("first"), CKeywordQuery());
    QPointer<QTextDocument> first = pane->document();
    for (int i = 0; i < 50; ++i)
        ShowTextWithHighlights(pane, QStringLiteral("text %1").arg(i), CKeywordQuery());
    QVERIFY(first.isNull());
    QCOMPARE(pane->findChildren<QTextDocument *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
}

QTEST_MAIN(TestViewerHighlight)
#include "tst_viewerhighlight.moc"
