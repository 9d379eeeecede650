// The main window as built: form, texts, slot order, charset selectors, the
// initial matching mode per locale, the content pane's menu and the catalogues.

#include <QtTest>

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QTextCodec>
#include <QTranslator>

#include "app/clintra.h"
#include "app/startup.h"
#include "app/ui_clintra.h"
#include "testsupport.h"
#include "update/core/versionnumbers.h"
#include "windowdriver.h"

namespace {

// Run as a child process with another locale: prints what the window chose.
int ProbeWindowForLocale(int argc, char **argv)
{
    QApplication app(argc, argv);
    CLintra window;
    QTextStream out(stdout);
    out << "whole=" << Control<QRadioButton>(window, "MatchWholeWord_RadioButton")->isChecked()
        << " substring=" << Control<QRadioButton>(window, "MatchSubstring_RadioButton")->isChecked()
        << " charset=" << ControlText(window, "DefaultLocal8BitCharset_ComboBox", "currentText")
        << " label=" << ControlText(window, "Local8Bit_Label") << "\n";
    return 0;
}

} // namespace

// Stands in for the main window as the target of the content pane's actions.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void formWidgets_data();
    void formWidgets();
    void formGridCells_data();
    void formGridCells();
    void formAsBuilt();
    void buttonsReachTheirSlotsByName();
    void constructorTexts();
    void accessibleNamesFollowTheLanguage_data();
    void accessibleNamesFollowTheLanguage();
    void resultCharsetSelector();
    void localCharsetSelector();
    void initialMatchingModePerLocale_data();
    void initialMatchingModePerLocale();
    void contentEditMenu();
    void startDirectoryShownInTheDirectoryBox();
    void compiledInImages_data();
    void compiledInImages();
    void windowTrayAndMenusShowTheImages();
    void programCatalogueUsesTheFullLocaleName();
};

void TestMainWindow::formWidgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("charset label") << "Local8Bit_Label"
                                   << "QLabel"
                                   << "";
    QTest::newRow("charset box") << "DefaultLocal8BitCharset_ComboBox"
                                 << "QComboBox"
                                 << "";
    QTest::newRow("dir label") << "Dir2Search_Label"
                               << "QLabel"
                               << "&Directory";
    QTest::newRow("dir box") << "Dir2Search_ComboBox"
                             << "QComboBox"
                             << "";
    QTest::newRow("browse") << "BrowseDir_ToolButton"
                            << "QToolButton"
                            << "&Browse...";
    QTest::newRow("keywords label") << "Keywords2Search_Label"
                                    << "QLabel"
                                    << "&Keyword(s)";
    QTest::newRow("keywords box") << "Keywords2Search_ComboBox"
                                  << "QComboBox"
                                  << "";
    QTest::newRow("filename search") << "DoFilenameSearch_PushButton"
                                     << "QPushButton"
                                     << "File&name Search";
    QTest::newRow("whole word") << "MatchWholeWord_RadioButton"
                                << "QRadioButton"
                                << "Match &Whole Word";
    QTest::newRow("substring") << "MatchSubstring_RadioButton"
                               << "QRadioButton"
                               << "Match &Substring";
    QTest::newRow("full text search") << "DoFullTextSearch_PushButton"
                                      << "QPushButton"
                                      << "Full &Text Search";
    QTest::newRow("hidden") << "IncludeHidden_CheckBox"
                            << "QCheckBox"
                            << "Include &hidden files and folders";
    QTest::newRow("skip label") << "SkipFolders_Label"
                                << "QLabel"
                                << "Skip f&olders";
    QTest::newRow("skip box") << "SkipFolders_ComboBox"
                              << "QComboBox"
                              << "";
    QTest::newRow("progress label") << "SearchingProgressBar_Label"
                                    << "QLabel"
                                    << "Progress";
    QTest::newRow("progress bar") << "Searching_ProgressBar"
                                  << "QProgressBar"
                                  << "";
    QTest::newRow("cancel") << "CancelSearch_PushButton"
                            << "QPushButton"
                            << "&Cancel the Search";
    QTest::newRow("status") << "SearchingProgressStatus_Label"
                            << "QLabel"
                            << "Ready to do the Unicode full text search...";
    QTest::newRow("exit") << "ExitProgram_PushButton"
                          << "QPushButton"
                          << "E&xit Norvane Lintra";
    QTest::newRow("notice") << "CopyrightInfo_TextBrowser"
                            << "QTextBrowser"
                            << "";
    QTest::newRow("about") << "About_PushButton"
                           << "QPushButton"
                           << "&About...";
    QTest::newRow("updates") << "CheckUpdates_PushButton"
                             << "QPushButton"
                             << "Check &Updates";
    QTest::newRow("files label") << "FilesFound_Label"
                                 << "QLabel"
                                 << "&Result Files";
    QTest::newRow("table") << "FilesFound_TableWidget"
                           << "QTableView"
                           << "";
    QTest::newRow("content") << "FileContent_TextEdit"
                             << "CContentEdit"
                             << "";
}

void TestMainWindow::formWidgets()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);

    CLintra window;
    QWidget *widget = window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->parentWidget(), Control<QWidget>(window, "verticalLayoutWidget"));
    QVERIFY(widget->inherits(kind.toLatin1().constData()));
    if (!text.isEmpty()) {
        const QVariant shown = widget->property("text");
        QCOMPARE(shown.toString(), text);
    }
}

void TestMainWindow::startDirectoryShownInTheDirectoryBox()
{
    CLintra window;
    QComboBox *directories = Control<QComboBox>(window, "Dir2Search_ComboBox");
    directories->addItem(QStringLiteral("/older"));
    directories->setCurrentIndex(-1);
    window.ShowStartDirectory(QStringLiteral("/srv/shared docs"));
    QCOMPARE(directories->currentText(), QStringLiteral("/srv/shared docs"));
    // Only shown: the history is what it was until a search uses the directory.
    QCOMPARE(directories->count(), 1);
    QCOMPARE(directories->itemText(0), QStringLiteral("/older"));
    window.ShowStartDirectory(QString());
    QCOMPARE(directories->currentText(), QStringLiteral("/srv/shared docs"));
}

void TestMainWindow::compiledInImages_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    // A tray, a title bar and a menu each draw the image at a size of their own.
    const QStringList paths{QStringLiteral(":/images/norvane.ico"), QStringLiteral(":/images/copy.gif"),
                            QStringLiteral(":/images/folder.gif")};
    for (const QString &path : paths)
        for (int size : {16, 22, 24, 32, 48})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(path).arg(size))) << path << size;
}

void TestMainWindow::compiledInImages()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QCOMPARE(PictureProblem(QPixmap(path)), QString());
    const QIcon icon(path);
    const QPixmap drawn = icon.pixmap(size);
    QCOMPARE(PictureProblem(drawn), QString());
    // Never blown up from a smaller picture; the application icon holds one
    // picture for each of these sizes, not one scaled down.
    QVERIFY2(drawn.width() >= qMin(size, 32), qPrintable(QString::number(drawn.width())));
    if (path.endsWith(QLatin1String(".ico")))
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
}

void TestMainWindow::windowTrayAndMenusShowTheImages()
{
    CLintra window;
    QCOMPARE(PictureProblem(window.windowIcon().pixmap(32)), QString());
    QCOMPARE(PictureProblem(Control<QSystemTrayIcon>(window, "SysTrayIcon")->icon().pixmap(22)), QString());
    QCOMPARE(PictureProblem(Control<QAction>(window, "CopyFilePath_Action")->icon().pixmap(16)), QString());
    QCOMPARE(PictureProblem(Control<QAction>(window, "OpenContainingFolder_Action")->icon().pixmap(16)),
             QString());
    QVERIFY(window.windowIcon().pixmap(16).toImage() !=
            Control<QAction>(window, "CopyFilePath_Action")->icon().pixmap(16).toImage());
}

void TestMainWindow::formGridCells_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("outputGrid");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("Dir2Search_Label") << "Dir2Search_Label" << false << 0 << 0;
    QTest::newRow("Dir2Search_ComboBox") << "Dir2Search_ComboBox" << false << 0 << 2;
    QTest::newRow("BrowseDir_ToolButton") << "BrowseDir_ToolButton" << false << 0 << 3;
    QTest::newRow("Keywords2Search_Label") << "Keywords2Search_Label" << false << 2 << 0;
    QTest::newRow("Keywords2Search_ComboBox") << "Keywords2Search_ComboBox" << false << 2 << 2;
    QTest::newRow("DoFilenameSearch_PushButton") << "DoFilenameSearch_PushButton" << false << 2 << 3;
    QTest::newRow("DoFullTextSearch_PushButton") << "DoFullTextSearch_PushButton" << false << 3 << 3;
    QTest::newRow("SearchingProgressBar_Label") << "SearchingProgressBar_Label" << false << 5 << 0;
    QTest::newRow("Searching_ProgressBar") << "Searching_ProgressBar" << false << 5 << 2;
    QTest::newRow("CancelSearch_PushButton") << "CancelSearch_PushButton" << false << 5 << 3;
    QTest::newRow("SearchingProgressStatus_Label") << "SearchingProgressStatus_Label" << false << 6 << 2;
    QTest::newRow("ExitProgram_PushButton") << "ExitProgram_PushButton" << false << 6 << 3;
    QTest::newRow("FilesFound_Label") << "FilesFound_Label" << true << 0 << 0;
    QTest::newRow("FilesFound_TableWidget") << "FilesFound_TableWidget" << true << 1 << 0;
    QTest::newRow("FileContent_TextEdit") << "FileContent_TextEdit" << true << 1 << 2;
}

void TestMainWindow::formGridCells()
{
    QFETCH(QString, name);
    QFETCH(bool, outputGrid);
    QFETCH(int, row);
    QFETCH(int, column);

    CLintra window;
    QGridLayout *grid =
        Control<QGridLayout>(window, outputGrid ? "OutputZone_GridLayout" : "InputZone_GridLayout");
    QWidget *widget = window.findChild<QWidget *>(name);
    int index = grid->indexOf(widget);
    // A cell may hold a row of widgets (the status line and what could not be read beside it).
    for (int i = 0; index < 0 && i < grid->count(); ++i) {
        if (grid->itemAt(i)->layout() && grid->itemAt(i)->layout()->indexOf(widget) == 0)
            index = i;
    }
    QVERIFY(index >= 0);
    int r, c, rowSpan, columnSpan;
    grid->getItemPosition(index, &r, &c, &rowSpan, &columnSpan);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(rowSpan, 1);
    QCOMPARE(columnSpan, 1);
}

void TestMainWindow::formAsBuilt()
{
    CLintra window;
    // The main layout's items: charset row, spacer, input grid, spacer,
    // version row, spacer, output grid.
    QVBoxLayout *main = Control<QVBoxLayout>(window, "MainFrame_VerticalLayout");
    QCOMPARE(main->count(), 7);
    QCOMPARE(main->itemAt(0)->layout(), Control<QHBoxLayout>(window, "LocalCharset_HorizontalLayout"));
    QVERIFY(main->itemAt(1)->spacerItem());
    QCOMPARE(main->itemAt(2)->layout(), Control<QGridLayout>(window, "InputZone_GridLayout"));
    QCOMPARE(main->itemAt(4)->layout(), Control<QHBoxLayout>(window, "VersionInfo_HorizontalLayout"));
    QCOMPARE(main->itemAt(6)->layout(), Control<QGridLayout>(window, "OutputZone_GridLayout"));
    QVERIFY(Control<QComboBox>(window, "DefaultLocal8BitCharset_ComboBox")->maximumWidth() >= 190);
    QVERIFY(Control<QComboBox>(window, "Dir2Search_ComboBox")->isEditable());
    QVERIFY(Control<QComboBox>(window, "Keywords2Search_ComboBox")->isEditable());
    QCOMPARE(Control<QTextBrowser>(window, "CopyrightInfo_TextBrowser")->font().pointSize(), 9);
    QCOMPARE(Control<QTextBrowser>(window, "CopyrightInfo_TextBrowser")->contextMenuPolicy(),
             Qt::NoContextMenu);
    QVERIFY(Control<CContentEdit>(window, "FileContent_TextEdit")->isReadOnly());
}

void TestMainWindow::buttonsReachTheirSlotsByName()
{
    CLintra window;
    Control<QRadioButton>(window, "MatchSubstring_RadioButton")->click();
    Control<QRadioButton>(window, "MatchWholeWord_RadioButton")->click();
    // Without a search Cancel changes nothing.
    Control<QPushButton>(window, "CancelSearch_PushButton")->click();
    QVERIFY(!window.SearchRunning());
}

void TestMainWindow::constructorTexts()
{
    CLintra window;
    QCOMPARE(window.windowTitle(),
             QString("Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware"));
    QCOMPARE(ControlText(window, "SysTrayIcon", "toolTip"), QString("Norvane Lintra " LINTRA_VERSION));
    QVERIFY(!Control<QSystemTrayIcon>(window, "SysTrayIcon")->isVisible());
    QVERIFY(ControlText(window, "ExitProgram_PushButton", "toolTip").contains("Exit this running program."));
    QVERIFY(ControlText(window, "DoFullTextSearch_PushButton", "toolTip")
                .contains("<font color=\"red\">only plain-text files</font>"));
    QVERIFY(ControlText(window, "MatchWholeWord_RadioButton", "toolTip")
                .startsWith("<html><body><font face=\"verdana\">These two radion buttons"));
    QCOMPARE(ControlText(window, "MatchSubstring_RadioButton", "toolTip"),
             ControlText(window, "MatchWholeWord_RadioButton", "toolTip"));
    QVERIFY(ControlText(window, "CopyrightInfo_TextBrowser", "html").contains("norvane.example"));
    QVERIFY(Control<CContentEdit>(window, "FileContent_TextEdit")->Position_Label->isHidden());
    QVERIFY(ControlText(window, "ResultContentHeader_Label").isEmpty());
}

// A screen reader names each control as its label reads, in the language
// the window is in: a catalogue that marks every text of the window shows it.
void TestMainWindow::accessibleNamesFollowTheLanguage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("label"); // object name, or empty where none shows
    QTest::addColumn<QString>("name");

    QTest::newRow("directory box") << "Dir2Search_ComboBox"
                                   << "Dir2Search_Label"
                                   << "Directory";
    QTest::newRow("keyword box") << "Keywords2Search_ComboBox"
                                 << "Keywords2Search_Label"
                                 << "Keyword(s)";
    QTest::newRow("progress bar") << "Searching_ProgressBar"
                                  << "SearchingProgressBar_Label"
                                  << "Progress";
    QTest::newRow("results table") << "FilesFound_TableWidget"
                                   << "FilesFound_Label"
                                   << "Result Files";
    QTest::newRow("content pane") << "FileContent_TextEdit"
                                  << ""
                                  << "File Content";
    QTest::newRow("copyright notice") << "CopyrightInfo_TextBrowser"
                                      << ""
                                      << "Copyright Notice";
    QTest::newRow("local charset") << "DefaultLocal8BitCharset_ComboBox"
                                   << "Local8Bit_Label"
                                   << "Default Local Charset";
    QTest::newRow("content charset") << ""
                                     << ""
                                     << "File Content in Charset";
}

namespace {

class CMarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char * = nullptr,
                      int = -1) const override
    {
        return qstrcmp(context, "CLintra") == 0 ? QStringLiteral("[de] ") + QString::fromUtf8(sourceText)
                                                : QString();
    }
};

} // namespace

void TestMainWindow::accessibleNamesFollowTheLanguage()
{
    QFETCH(QString, control);
    QFETCH(QString, label);
    QFETCH(QString, name);
    CLintra window;
    QWidget *widget = control.isEmpty() ? Control<QComboBox>(window, "ResultContentCharset_ComboBox")
                                        : window.findChild<QWidget *>(control);
    QVERIFY(widget);
    // A box that shows a choice is read by its choice on Linux, and its label
    // by the relation; the others by their names.
    const bool readByChoice =
        qobject_cast<QComboBox *>(widget) && !static_cast<QComboBox *>(widget)->isEditable();
    auto spoken = [&] {
        return readByChoice ? widget->accessibleName()
                            : QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(spoken(), name);

    QLabel *shown = label.isEmpty() ? nullptr : window.findChild<QLabel *>(label);
    if (shown) {
        // The label shows its accelerator, which the name does not hold.
        QVERIFY(shown->text().remove(QLatin1Char('&')).startsWith(name));
        QCOMPARE(shown->buddy(), widget);
    }

    CMarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::sendPostedEvents(&window, QEvent::LanguageChange);
    const QString translated = spoken();
    const QString translatedLabel = shown ? shown->text().remove(QLatin1Char('&')) : translated;
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::sendPostedEvents(&window, QEvent::LanguageChange);
    QCOMPARE(translated, "[de] " + name);
    QVERIFY2(translatedLabel.startsWith(translated), qPrintable(translatedLabel));
    QCOMPARE(spoken(), name);
}

void TestMainWindow::resultCharsetSelector()
{
    CLintra window;
    QComboBox *box = Control<QComboBox>(window, "ResultContentCharset_ComboBox");
    QVERIFY(box->isHidden());
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->count(), Control<QComboBox>(window, "DefaultLocal8BitCharset_ComboBox")->count());
    QVERIFY(box->count() > 20);

    QStringList upperNames;
    for (int i = 0; i < box->count(); ++i) {
        QTextCodec *codec = QTextCodec::codecForMib(box->itemData(i, Qt::UserRole).toInt());
        QVERIFY(codec);
        QCOMPARE(box->itemText(i), QString::fromLatin1(codec->name()));
        upperNames << box->itemText(i).toUpper();
    }
    QStringList sorted = upperNames;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(upperNames, sorted);
    QCOMPARE(upperNames.removeDuplicates(), 0);

    // Every codec of the toolkit is listed under its upper-cased name.
    for (int mib : QTextCodec::availableMibs())
        QVERIFY(upperNames.contains(QString::fromLatin1(QTextCodec::codecForMib(mib)->name().toUpper())));
}

void TestMainWindow::localCharsetSelector()
{
    CLintra window;
    QComboBox *box = Control<QComboBox>(window, "DefaultLocal8BitCharset_ComboBox");
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->count(), Control<QComboBox>(window, "ResultContentCharset_ComboBox")->count());
    QCOMPARE(ControlText(window, "Local8Bit_Label"),
             "Default Local Charset (Language: " + QLocale::system().name() + ")");
    QVERIFY(box->toolTip().contains("please kindly post us your (language_territory, charset) pair"));
}

void TestMainWindow::initialMatchingModePerLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QString>("charset");

    QTest::newRow("de_DE") << "de_DE" << true << "windows-1252";
    QTest::newRow("en_US") << "en_US" << true << "windows-1252";
    QTest::newRow("C") << "C" << true << "";
    QTest::newRow("zh_CN") << "zh_CN" << false << "GB18030";
    QTest::newRow("zh_TW") << "zh_TW" << false << "Big5";
    QTest::newRow("ja_JP") << "ja_JP" << false << "Shift_JIS";
    QTest::newRow("ru_RU") << "ru_RU" << true << "windows-1251";
}

void TestMainWindow::initialMatchingModePerLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, wholeWord);
    QFETCH(QString, charset);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.insert("LINTRA_PROBE_WINDOW", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(60000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QString expected = QString("whole=%1 substring=%2").arg(int(wholeWord)).arg(int(!wholeWord));
    QVERIFY2(out.startsWith(expected), qPrintable(out));
    QVERIFY2(out.contains("label=Default Local Charset (Language: " + locale + ")"), qPrintable(out));
    if (!charset.isEmpty())
        QVERIFY2(out.contains(" charset=" + charset + " "), qPrintable(out));
    else // no rule: the entry of the local codec
        QVERIFY2(out.contains(" charset=" + QString::fromLatin1(QTextCodec::codecForLocale()->name())),
                 qPrintable(out));
}

void TestMainWindow::contentEditMenu()
{
    QWidget window;
    CContentEdit pane(&window);
    QSignalSpy previousRequests(&pane, &CContentEdit::PreviousBlockRequested);
    QSignalSpy nextRequests(&pane, &CContentEdit::NextBlockRequested);
    QCOMPARE(pane.TargetWindow, &window);
    QCOMPARE(pane.BlockActions.size(), 2);

    // The jumps between matches, with their keys, in every menu.
    QScopedPointer<QMenu> whole(pane.CreateContextMenu());
    QScopedPointer<QMenu> standard(pane.createStandardContextMenu());
    QCOMPARE(whole->actions().size(), standard->actions().size() + 3);
    QStringList matchEntries;
    for (QAction *action : whole->actions().mid(standard->actions().size() + 1))
        matchEntries << action->text() + '|' + action->shortcut().toString();
    QCOMPARE(matchEntries, (QStringList{"Pre&vious Match|Shift+F3", "Next &Match|F3"}));
    QCOMPARE(pane.MatchActions.at(1)->shortcuts(),
             (QList<QKeySequence>{QKeySequence("F3"), QKeySequence("Ctrl+G")}));

    pane.PartialDocument = true;
    QScopedPointer<QMenu> partial(pane.CreateContextMenu());
    const QList<QAction *> actions = partial->actions();
    QCOMPARE(actions.size(), standard->actions().size() + 6);
    QVERIFY(actions.at(actions.size() - 3)->isSeparator());
    QAction *previous = actions.at(actions.size() - 2);
    QAction *next = actions.at(actions.size() - 1);
    QCOMPARE(previous->text(), QString("&Previous Block of Content"));
    QCOMPARE(previous->shortcut(), QKeySequence("Ctrl+P"));
    QCOMPARE(next->text(), QString("&Next Block of Content"));
    QCOMPARE(next->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(next->statusTip(),
             QString("<font face=\"verdana\">Go to the next block of content in the selected file.</font>"));
    QCOMPARE(partial->font().family(), QString("verdana"));

    previous->trigger();
    next->trigger();
    next->trigger();
    QCOMPARE(previousRequests.count(), 1);
    QCOMPARE(nextRequests.count(), 2);
}

void TestMainWindow::programCatalogueUsesTheFullLocaleName()
{
    QTemporaryDir dir;
    const QString ts = dir.filePath("de.ts");
    QVERIFY(WriteTestFile(ts,
                          "<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS>"
                          "<TS version=\"2.1\" language=\"de_DE\"><context><name>CLintra</name>"
                          "<message><source>&amp;Keyword(s)</source><translation>&amp;Stichwort</translation>"
                          "</message></context></TS>"));
    QProcess lrelease;
    lrelease.start("lrelease", {ts, "-qm", dir.filePath("compiled.qm")});
    QVERIFY2(lrelease.waitForFinished(30000) && lrelease.exitCode() == 0, "lrelease failed");

    // Only the shortened name: never tried.
    QVERIFY(QFile::copy(dir.filePath("compiled.qm"), dir.filePath("libtxt_de.dat")));
    QTranslator shortened;
    QVERIFY(!LoadProgramCatalogue(shortened, "de_DE", dir.path()));

    // The full name with the suffix, and without it.
    QVERIFY(QFile::copy(dir.filePath("compiled.qm"), dir.filePath("libtxt_de_DE")));
    QTranslator withoutSuffix;
    QVERIFY(LoadProgramCatalogue(withoutSuffix, "de_DE", dir.path()));
    QVERIFY(QFile::copy(dir.filePath("compiled.qm"), dir.filePath("libtxt_de_DE.dat")));
    QTranslator exact;
    QVERIFY(LoadProgramCatalogue(exact, "de_DE", dir.path()));
    QCOMPARE(exact.translate("CLintra", "&Keyword(s)"), QString("&Stichwort"));

    // Installed before the window is built, it translates the form.
    QCoreApplication::installTranslator(&exact);
    {
        CLintra window;
        QCOMPARE(ControlText(window, "Keywords2Search_Label"), QString("&Stichwort"));
    }
    QCoreApplication::removeTranslator(&exact);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("LINTRA_PROBE_WINDOW"))
        return ProbeWindowForLocale(argc, argv);
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
