// The program only ever reads the tree it searches: after searches of both
// kinds and a viewer session with paging and re-decoding, every file is as it
// was, and no file came or went.

#include <QtTest>

#include <QCryptographicHash>
#include <QDirIterator>

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "modaldialogs.h"
#include "testsupport.h"
#include "windowdriver.h"

namespace {

// Path -> content hash, size and modification time of every entry below root.
QMap<QString, QString> Snapshot(const QString &root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QString state =
            QString::number(info.size()) + ' ' + QString::number(info.lastModified().toMSecsSinceEpoch());
        QFile file(path);
        if (info.isFile() && file.open(QIODevice::ReadOnly))
            state += ' ' + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
        entries.insert(path, state);
    }
    return entries;
}

QByteArray Utf16(const QString &text)
{
    return QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

} // namespace

class TestNothingWritten : public QObject
{
    Q_OBJECT

private slots:
    void searchesAndViewingLeaveTheTreeAsItWas();
};

void TestNothingWritten::searchesAndViewingLeaveTheTreeAsItWas()
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    QByteArray big;
    for (int i = 0; i < 6000; ++i)
        big += "line " + QByteArray::number(i) + (i % 1500 == 7 ? " needle" : "") + " of a long log\n";
    WriteTestFile(root.filePath("big.log"), big);
    WriteTestFile(root.filePath("notes/needle.txt"), "a needle here\n");
    WriteTestFile(root.filePath("notes/utf16.txt"), Utf16("needle in UTF-16\n"));
    WriteTestFile(root.filePath("notes/.hidden.txt"), "needle\n");
    WriteTestFile(root.filePath("data/blob.bin"), QByteArray(70000, '\x01'));
    WriteTestFile(root.filePath("data/empty.txt"), QByteArray());
    QFile::link(root.filePath("notes"), root.filePath("data/back"));
    const QMap<QString, QString> before = Snapshot(root.path());

    CModalDialogCloser closer;
    CLintra w;
    RunSearch(w, root.path(), "needle", SearchWhatFilename);
    QCOMPARE(TablePaths(w).size(), 1); // notes/ is entered once, not again through the link
    RunSearch(w, root.path(), "needle", SearchWhatFullText);
    QVERIFY(TablePaths(w).size() >= 3);

    // Every result shown, the big one paged both ways, the small ones re-decoded.
    CResultsTable *table = Control<CResultsTable>(w, "FilesFound_TableWidget");
    for (int row = 0; row < table->rowCount(); ++row) {
        table->selectRow(row);
        for (const char *slot : {"GotoContentEditNextBlock", "GotoContentEditNextBlock",
                                 "GotoContentEditPreviousBlock", "GotoContentEditPreviousBlock"})
            QVERIFY(QMetaObject::invokeMethod(&w, slot));
        QComboBox *charset = Control<QComboBox>(w, "ResultContentCharset_ComboBox");
        for (int entry = 0; entry < charset->count(); entry += 7) {
            charset->setCurrentIndex(entry);
            QVERIFY(QMetaObject::invokeMethod(&w, "UpdateResultFileContent"));
        }
    }
    w.SaveSettings();

    QCOMPARE(Snapshot(root.path()), before);
}

QTEST_MAIN(TestNothingWritten)
#include "tst_nothingwritten.moc"
