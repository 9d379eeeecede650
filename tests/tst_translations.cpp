// The shipped catalogues on the window: every visible text of the form, the
// tray and the table in German and Chinese, nothing cut off, the texts the
// constructor sets kept across a language change, and the catalogue found
// beside the binary and in an installed tree.

#include <QtTest>

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTranslator>

#include "app/clintra.h"
#include "app/startup.h"
#include "app/ui_clintra.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

const char EnglishTitle[] = "Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware";
const char EnglishReady[] = "Ready to do the Unicode full text search...";

// Where the build puts the catalogues: beside the binary.
QString BuiltCatalogueDir()
{
    return QString::fromLocal8Bit(qgetenv("LINTRA_CATALOGUE_DIR"));
}

// The window's texts, from whichever of its parts shows them.
QString Translated(const QTranslator &catalogue, const char *source)
{
    for (const char *part : {"CLintra", "CSearchDriver", "CFilesTableActions", "CSysTray", "CSettingsBinding",
                             "CUpdateDialogs"}) {
        const QString text = catalogue.translate(part, source);
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

// Shows the window so that its layouts give every widget its size.
void ShowLaidOut(CLintra &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

// The widgets that hold one line of text and can cut it off.
QList<QWidget *> TextWidgets(CLintra &window)
{
    QList<QWidget *> widgets;
    for (QLabel *label : window.findChildren<QLabel *>())
        widgets << label;
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        widgets << button;
    return widgets;
}

QString TextOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    return static_cast<QAbstractButton *>(widget)->text();
}

// A text is cut off when its widget is narrower than the text needs:
// a label's text wider than its contents, a button narrower than its hint.
QString Clipping(QWidget *widget)
{
    const QString text = TextOf(widget);
    if (text.isEmpty() || !widget->isVisible())
        return QString();
    int needed = 0;
    int given = 0;
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->wordWrap() || Qt::mightBeRichText(text))
            return QString();
        // A label's accelerator "&" is not shown.
        QString shown = text;
        if (label->buddy())
            shown.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        needed = label->fontMetrics().horizontalAdvance(shown);
        given = label->contentsRect().width();
    } else {
        needed = widget->minimumSizeHint().width();
        given = widget->width();
    }
    if (given >= needed)
        return QString();
    return QStringLiteral("%1 \"%2\": %3 px for %4 px")
        .arg(widget->objectName(), text)
        .arg(given)
        .arg(needed);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void catalogueTranslatesWindow_data();
    void catalogueTranslatesWindow();
    void nothingCutOff_data();
    void nothingCutOff();
    void languageChangeKeepsConstructorTexts();
    void languageChangeKeepsSearchStatus();
    void catalogueFoundBesideBinaryFirst();
    void catalogueFoundInInstalledTree();
};

void TestTranslations::catalogueTranslatesWindow_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("German") << "de_DE";
    QTest::newRow("Simplified Chinese") << "zh_CN";
}

void TestTranslations::catalogueTranslatesWindow()
{
    QFETCH(QString, locale);
    QTranslator catalogue;
    QVERIFY2(LoadProgramCatalogue(catalogue, locale, BuiltCatalogueDir()), qPrintable(BuiltCatalogueDir()));
    QCoreApplication::installTranslator(&catalogue);
    {
        CLintra window;

        // Every text of the form in the catalogue's language, none left in English.
        const QAbstractItemModel *table = Control<CResultsTable>(window, "FilesFound_TableWidget")->model();
        const QList<QPair<QString, const char *>> shown = {
            {window.windowTitle(), EnglishTitle},
            {ControlText(window, "SearchingProgressStatus_Label"), EnglishReady},
            {ControlText(window, "Keywords2Search_Label"), "&Keyword(s)"},
            {ControlText(window, "DoFilenameSearch_PushButton"), "File&name Search"},
            {ControlText(window, "Dir2Search_Label"), "&Directory"},
            {ControlText(window, "BrowseDir_ToolButton"), "&Browse..."},
            {ControlText(window, "SearchingProgressBar_Label"), "Progress"},
            {ControlText(window, "CancelSearch_PushButton"), "&Cancel the Search"},
            {ControlText(window, "MatchWholeWord_RadioButton"), "Match &Whole Word"},
            {ControlText(window, "MatchSubstring_RadioButton"), "Match &Substring"},
            {ControlText(window, "DoFullTextSearch_PushButton"), "Full &Text Search"},
            {ControlText(window, "ExitProgram_PushButton"), "E&xit Norvane Lintra"},
            {ControlText(window, "About_PushButton"), "&About..."},
            {ControlText(window, "CheckUpdates_PushButton"), "Check &Updates"},
            {ControlText(window, "FilesFound_Label"), "&Result Files"},
            {ControlText(window, "SysTrayIconRestore_Action"), "&Restore"},
            {ControlText(window, "SysTrayIconQuit_Action"), "&Quit"},
            {ControlText(window, "OpenFile_Action"), "&Open"},
            {ControlText(window, "CopyFilePath_Action"), "Copy File &Path"},
            {ControlText(window, "OpenContainingFolder_Action"), "Open Containing &Folder"},
            {table->headerData(0, Qt::Horizontal).toString(), "Filename"},
            {table->headerData(1, Qt::Horizontal).toString(), "Size (KB)"},
            {table->headerData(2, Qt::Horizontal).toString(), "Last Modified Time"},
        };
        for (const auto &text : shown) {
            QVERIFY2(text.first != QLatin1String(text.second), text.second);
            QCOMPARE(text.first, Translated(catalogue, text.second));
        }
        // The paging entries of the content pane's menu.
        const QList<QAction *> &blocks = Control<CContentEdit>(window, "FileContent_TextEdit")->BlockActions;
        QCOMPARE(blocks.size(), 2);
        QCOMPARE(blocks[0]->text(), catalogue.translate("CContentEdit", "&Previous Block of Content"));
        QCOMPARE(blocks[1]->text(), catalogue.translate("CContentEdit", "&Next Block of Content"));
        QVERIFY(blocks[1]->text() != QLatin1String("&Next Block of Content"));
        QVERIFY(ControlText(window, "Local8Bit_Label")
                    .startsWith(Translated(catalogue, "Default Local Charset")));
        QVERIFY(ControlText(window, "Local8Bit_Label") != QLatin1String("Default Local Charset"));

        // Rich texts: the notice and a tool-tip, with their markup intact.
        const QString notice = ControlText(window, "CopyrightInfo_TextBrowser", "plainText");
        QVERIFY2(!notice.contains(QLatin1String("Online documentation")), qPrintable(notice));
        QVERIFY(notice.contains(QLatin1String("Norvane")));
        QVERIFY(ControlText(window, "CopyrightInfo_TextBrowser", "html")
                    .contains(QLatin1String("<a href=\"http")));
        const QString tip = ControlText(window, "DoFullTextSearch_PushButton", "toolTip");
        QVERIFY(tip.startsWith(QLatin1String("<html><body><font face=\"verdana\">")));
        QVERIFY(tip.contains(QLatin1String("<font color=\"red\">")));
        QVERIFY(!tip.contains(QLatin1String("only plain-text files")));

        // The start-up refusals and the product token of the update request.
        QVERIFY(catalogue.translate("QObject", "Warning") != QString("Warning"));
        QVERIFY(!catalogue.translate("QObject", "System Tray").isEmpty());
        QCOMPARE(catalogue.translate("CUpdateHandler", "Norvane.Lintra.Desktop.Windows"),
                 QString("Norvane.Lintra.Desktop.Windows"));
    }
    QCoreApplication::removeTranslator(&catalogue);
}

void TestTranslations::nothingCutOff_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << "";
    QTest::newRow("German") << "de_DE";
    QTest::newRow("Simplified Chinese") << "zh_CN";
}

void TestTranslations::nothingCutOff()
{
    QFETCH(QString, locale);
    QTranslator catalogue;
    if (!locale.isEmpty())
        QVERIFY(LoadProgramCatalogue(catalogue, locale, BuiltCatalogueDir()));
    QCoreApplication::installTranslator(&catalogue);
    {
        CLintra window;
        ShowLaidOut(window);
        QStringList clipped;
        for (QWidget *widget : TextWidgets(window)) {
            const QString problem = Clipping(widget);
            if (!problem.isEmpty())
                clipped << problem;
        }
        if (qEnvironmentVariableIsSet("LINTRA_SCREENSHOT_DIR")) {
            const QString name = locale.isEmpty() ? QStringLiteral("en") : locale;
            window.grab().save(qEnvironmentVariable("LINTRA_SCREENSHOT_DIR") + "/window-" + name + ".png");
        }
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    }
    QCoreApplication::removeTranslator(&catalogue);
}

void TestTranslations::languageChangeKeepsConstructorTexts()
{
    CLintra window;
    QCOMPARE(window.windowTitle(), QString(EnglishTitle));

    QTranslator german;
    QVERIFY(LoadProgramCatalogue(german, "de_DE", BuiltCatalogueDir()));
    QCoreApplication::installTranslator(&german);
    QCoreApplication::sendPostedEvents(&window, QEvent::LanguageChange);

    QCOMPARE(window.windowTitle(), Translated(german, EnglishTitle));
    QCOMPARE(ControlText(window, "SearchingProgressStatus_Label"), Translated(german, EnglishReady));
    QCOMPARE(ControlText(window, "Keywords2Search_Label"), Translated(german, "&Keyword(s)"));
    QVERIFY(ControlText(window, "CopyrightInfo_TextBrowser", "plainText")
                .contains(QLatin1String("Online-Hilfe")));

    // And back: the English texts, none of them empty.
    QCoreApplication::removeTranslator(&german);
    QCoreApplication::sendPostedEvents(&window, QEvent::LanguageChange);
    QCOMPARE(window.windowTitle(), QString(EnglishTitle));
    QCOMPARE(ControlText(window, "SearchingProgressStatus_Label"), QString(EnglishReady));
    QVERIFY(ControlText(window, "CopyrightInfo_TextBrowser", "plainText")
                .contains(QLatin1String("Online documentation")));
}

void TestTranslations::languageChangeKeepsSearchStatus()
{
    CLintra window;
    const QString summary = QStringLiteral("2 of the 7 searched files contain(s) the given keyword(s).");
    Control<QLabel>(window, "SearchingProgressStatus_Label")->setText(summary);

    QTranslator chinese;
    QVERIFY(LoadProgramCatalogue(chinese, "zh_CN", BuiltCatalogueDir()));
    QCoreApplication::installTranslator(&chinese);
    QCoreApplication::sendPostedEvents(&window, QEvent::LanguageChange);
    QCoreApplication::removeTranslator(&chinese);

    QCOMPARE(ControlText(window, "SearchingProgressStatus_Label"), summary);
    QCOMPARE(window.windowTitle(), Translated(chinese, EnglishTitle));
}

void TestTranslations::catalogueFoundBesideBinaryFirst()
{
    // An installed tree with the Chinese catalogue under the German name, and
    // the German one beside the binary: the binary's directory wins.
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString share = prefix.filePath("share/lintra/translations");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
    QVERIFY(QFile::copy(BuiltCatalogueDir() + "/libtxt_de_DE.dat", bin + "/libtxt_de_DE.dat"));
    QVERIFY(QFile::copy(BuiltCatalogueDir() + "/libtxt_zh_CN.dat", share + "/libtxt_de_DE.dat"));

    QTranslator catalogue;
    QVERIFY(LoadProgramCatalogue(catalogue, "de_DE", TranslationDirectories(bin)));
    QCOMPARE(Translated(catalogue, "&Quit"), QString("&Beenden"));
}

void TestTranslations::catalogueFoundInInstalledTree()
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString share = prefix.filePath("share/lintra/translations");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
    QVERIFY(QFile::copy(BuiltCatalogueDir() + "/libtxt_zh_CN.dat", share + "/libtxt_zh_CN.dat"));

    QTranslator catalogue;
    QVERIFY(LoadProgramCatalogue(catalogue, "zh_CN", TranslationDirectories(bin)));
    QCOMPARE(Translated(catalogue, "&Quit"), QString::fromUtf8("退出(&Q)"));

    QTranslator otherLanguage;
    QVERIFY(!LoadProgramCatalogue(otherLanguage, "de_DE", TranslationDirectories(bin)));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
