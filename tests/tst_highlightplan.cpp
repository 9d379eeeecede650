// Keyword highlighting planned without a window: which runs get which
// colour, where the caret goes, and whether a text holds a keyword at all.

#include <QtTest>

#include "search/core/keywordquery.h"
#include "viewer/core/keywordhighlights.h"

namespace {

// "start/length/colour" for every run, in text order.
QStringList Runs(const CHighlightPlan &plan)
{
    QList<CHighlightRange> ranges = plan.Ranges;
    std::sort(ranges.begin(), ranges.end(),
              [](const CHighlightRange &a, const CHighlightRange &b) { return a.Start < b.Start; });
    static const QMap<int, QString> names{{Qt::blue, "blue"}, {Qt::red, "red"}, {Qt::yellow, "yellow"}};
    QStringList runs;
    for (const CHighlightRange &range : ranges)
        runs << QStringLiteral("%1/%2/%3")
                    .arg(range.Start)
                    .arg(range.Length)
                    .arg(names.value(KeywordColour(range.Rank)));
    return runs;
}

} // namespace

class TestHighlightPlan : public QObject
{
    Q_OBJECT

private slots:
    void plan_data();
    void plan();
    void containsAnyKeyword_data();
    void containsAnyKeyword();
};

void TestHighlightPlan::plan_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("separated");
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<int>("caret");

    QTest::newRow("one keyword") << "apple pie, apple"
                                 << "apple" << false << true << QStringList{"0/5/blue", "11/5/blue"} << 0;
    QTest::newRow("ranks follow first occurrence")
        << "xa yb za"
        << "b a" << false << true << QStringList{"1/1/blue", "4/1/red", "7/1/blue"} << 4;
    QTest::newRow("fourth keyword is blue again")
        << "dd cc bb aa"
        << "aa bb cc dd" << false << true << QStringList{"0/2/blue", "3/2/red", "6/2/yellow", "9/2/blue"}
        << 9;
    QTest::newRow("whole word, and only whole words after it")
        << "concatenate cat cats, category scatter cat"
        << "cat" << true << true << QStringList{"12/3/blue", "39/3/blue"} << 12;
    QTest::newRow("whole word without blanks in the language")
        << "concatenate cat cats"
        << "cat" << true << false << QStringList{"3/3/blue", "12/3/blue", "16/3/blue"} << 3;
    QTest::newRow("regexp characters") << "c++ and c++11"
                                       << "c++" << false << true << QStringList{"0/3/blue", "8/3/blue"} << 0;
    QTest::newRow("whole word ending in punctuation")
        << "c++ and c++11 use c++"
        << "c++" << true << true << QStringList{"0/3/blue", "18/3/blue"} << 0;
    QTest::newRow("whole word starting with punctuation")
        << "a(x open (x here"
        << "(x" << true << true << QStringList{"9/2/blue"} << 9;
    QTest::newRow("dotted capital I")
        << QString::fromUtf8("to İstanbul, İSTANBUL") << QString::fromUtf8("İstanbul") << true << true
        << QStringList{"3/8/blue", "13/8/blue"} << 3;
    QTest::newRow("final sigma") << QString::fromUtf8("ο λογος, ΛΟΓΟΣ") << QString::fromUtf8("ΛΟΓΟΣ") << true
                                 << true << QStringList{"2/5/blue", "9/5/blue"} << 2;
    QTest::newRow("letters new since Qt's tables")
        << QString::fromUtf8("ⱟ Ⱟ") << QString::fromUtf8("Ⱟ") << true << true
        << QStringList{"0/1/blue", "2/1/blue"} << 0;
    QTest::newRow("case-insensitive") << "Apple APPLE"
                                      << "apple" << false << true << QStringList{"0/5/blue", "6/5/blue"} << 0;
    QTest::newRow("absent keyword uses no colour")
        << "pear apple"
        << "zzz apple pear" << false << true << QStringList{"0/4/blue", "5/5/red"} << 5;
    QTest::newRow("same start, the later pattern wins")
        << "abcd abc"
        << "ab abc" << false << true << QStringList{"0/3/blue", "5/3/blue"} << 0;
    QTest::newRow("no keyword") << "nothing here"
                                << "zzz" << false << true << QStringList() << 0;
    QTest::newRow("no pattern") << "nothing here"
                                << "" << false << true << QStringList() << 0;
    QTest::newRow("right to left") << QString::fromUtf8("שלום עולם שלום") << QString::fromUtf8("שלום")
                                   << false << false << QStringList{"0/4/blue", "10/4/blue"} << 0;
}

void TestHighlightPlan::plan()
{
    QFETCH(QString, text);
    QFETCH(QString, keywords);
    QFETCH(bool, wholeWord);
    QFETCH(bool, separated);
    const CHighlightPlan plan = PlanKeywordHighlights(text, CKeywordQuery(keywords, wholeWord, separated));
    QTEST(Runs(plan), "runs");
    QTEST(plan.CaretPosition, "caret");
}

void TestHighlightPlan::containsAnyKeyword_data()
{
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("found");

    QTest::newRow("one of several occurs") << "zzz cat" << false << true;
    QTest::newRow("none occurs") << "zzz yyy" << false << false;
    QTest::newRow("only inside a word, whole word") << "conc" << true << false;
    QTest::newRow("only inside a word, substring") << "conc" << false << true;
    QTest::newRow("no pattern") << "" << false << false;
}

void TestHighlightPlan::containsAnyKeyword()
{
    QFETCH(QString, keywords);
    QFETCH(bool, wholeWord);
    QTEST(TextContainsAnyKeyword(CKeywordQuery(keywords, wholeWord, true), "concatenate cat cats"), "found");
}

QTEST_GUILESS_MAIN(TestHighlightPlan)
#include "tst_highlightplan.moc"
