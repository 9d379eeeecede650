// The About box: its four lines, its size and title, how it closes, and a
// translated window title leading its text.

#include <QtTest>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "testsupport.h"
#include "update/core/versionnumbers.h"
#include "windowdriver.h"

namespace {

const char UntranslatedTitle[] = "Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware";

// A catalogue that changes the window title (with characters that mean
// something in HTML) and the About box's title, and nothing else.
class CTitleTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "CLintra") != 0)
            return QString();
        if (qstrcmp(sourceText, UntranslatedTitle) == 0)
            return QStringLiteral("Lintra <Volltextsuche> & mehr");
        if (qstrcmp(sourceText, "About Lintra") == 0)
            return QStringLiteral("\u00dcber Lintra");
        return QString();
    }
};

void PressAbout(CLintra &window)
{
    Control<QPushButton>(window, "About_PushButton")->click();
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetTestSettings(); }

    void aboutShowsFourLines();
    void aboutCloses_data();
    void aboutCloses();
    void translatedTitleLeadsAboutText();
};

void TestAbout::aboutShowsFourLines()
{
    CLintra window;
    CModalDialogCloser closer;
    PressAbout(window);

    QCOMPARE(closer.Seen.size(), 1);
    const CSeenDialog &about = closer.Seen.first();
    QCOMPARE(about.Title, QStringLiteral("About Lintra"));
    // 400 x 80 at the least; wider for the title line, which must not wrap.
    QVERIFY(about.TextSize.width() > 400 && about.TextSize.height() >= 80);
    const QStringList lines = about.Text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), QLatin1String(UntranslatedTitle));
    QCOMPARE(lines.at(1), QStringLiteral(LINTRA_VERSION " Build " LINTRA_BUILD_STAMP));
    QVERIFY2(lines.at(2).contains(QLatin1String("2010")) && lines.at(2).contains(QLatin1String("Norvane")),
             qPrintable(lines.at(2)));
    QCOMPARE(lines.at(3), QStringLiteral("http://www.norvane.example/"));
    QCOMPARE(about.LinkTargets, QSet<QString>{QStringLiteral("http://www.norvane.example/")});
}

void TestAbout::aboutCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << "ok";
    QTest::newRow("Escape key") << "escape";
    QTest::newRow("window close button") << "close";
}

void TestAbout::aboutCloses()
{
    QFETCH(QString, how);
    CLintra window;
    CModalDialogCloser closer;
    closer.Close = [how](QDialog *dialog) {
        if (how == QLatin1String("ok"))
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->close();
    };

    // Each press builds a new dialog; the slot returns once it is closed.
    PressAbout(window);
    PressAbout(window);
    QCOMPARE(closer.Seen.size(), 2);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestAbout::translatedTitleLeadsAboutText()
{
    CTitleTranslator translator;
    QCoreApplication::installTranslator(&translator);
    CLintra window;
    CModalDialogCloser closer;
    PressAbout(window);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(closer.Seen.size(), 1);
    const CSeenDialog &about = closer.Seen.first();
    QCOMPARE(about.Title, QStringLiteral("\u00dcber Lintra"));
    const QStringList lines = about.Text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), QStringLiteral("Lintra <Volltextsuche> & mehr"));
    QCOMPARE(lines.at(1), QStringLiteral(LINTRA_VERSION " Build " LINTRA_BUILD_STAMP));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
