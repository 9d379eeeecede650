// Encoding detection: the byte-order marks, the UTF-8 check with its strict
// lead bytes, our little-endian UTF-16 test, and real text in each encoding;
// the local charset a locale implies.

#include <QtTest>

#include <QTextCodec>

#include "testsupport.h"
#include "text/core/istextunicode.h"
#include "text/core/localcharset.h"
#include "text/core/textencodingdetector.h"
#include "text/core/unmarkedtext.h"

Q_DECLARE_METATYPE(TEnumTextEncoding)
Q_DECLARE_METATYPE(CTextEncodingDetector::TEnumUtf8Check)

namespace {

QByteArray Encoded(const char *codec, const QString &text)
{
    return QTextCodec::codecForName(codec)->fromUnicode(text);
}

const QString Bom(QChar(0xFEFF));
const QString English = QStringLiteral("The quick brown fox jumps over the lazy dog.\nSecond line.\n");
const QString Russian = QString::fromUtf8("«Москва» — столица России.\nВторая строка текста.\n");
const QString Chinese = QString::fromUtf8("2024年，中文文本的第一行。\n第二行：上海和北京。\n");

} // namespace

class TestEncoding : public QObject
{
    Q_OBJECT

private slots:
    void detectEdgeCases_data();
    void detectEdgeCases() { detect(); }
    void detectRealText_data();
    void detectRealText() { detect(); }
    void detectNullPointerChangesNothing();
    void checkUtf8_data();
    void checkUtf8();
    void isTextUnicode_data();
    void isTextUnicode();
    void unmarkedTextCharset_data();
    void unmarkedTextCharset();
    void charsetForLocale_data();
    void charsetForLocale();

private:
    void detect();
};

void TestEncoding::detect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TEnumTextEncoding, encoding);
    QFETCH(int, bomLength);
    CTextEncodingDetector detector;
    detector.Detect(bytes.constData(), quint32(bytes.size()));
    QCOMPARE(int(detector.Encoding), int(encoding));
    QCOMPARE(detector.BomLength, bomLength);
}

void TestEncoding::detectEdgeCases_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TEnumTextEncoding>("encoding");
    QTest::addColumn<int>("bomLength");

    // Byte-order marks
    QTest::newRow("utf32 le bom before the utf16 le one")
        << QByteArray("\xFF\xFE\0\0A\0\0\0", 8) << Utf32LeWithBom << 4;
    QTest::newRow("utf32 le bom alone") << QByteArray("\xFF\xFE\0\0", 4) << Utf32LeWithBom << 4;
    QTest::newRow("FF FE 00 is utf16 le") << QByteArray("\xFF\xFE\0", 3) << Utf16LeWithBom << 2;
    QTest::newRow("utf8 bom then anything") << QByteArray("\xEF\xBB\xBF\xFF\0\x80", 6) << Utf8WithBom << 3;
    QTest::newRow("utf8 bom alone") << QByteArray("\xEF\xBB\xBF") << Utf8WithBom << 3;
    QTest::newRow("EF BB without BF is a cut sequence") << QByteArray("\xEF\xBB") << Utf8NoBom << 0;
    QTest::newRow("FE FF alone") << QByteArray("\xFE\xFF") << Utf16BeWithBom << 2;
    QTest::newRow("FF FE alone") << QByteArray("\xFF\xFE") << Utf16LeWithBom << 2;
    QTest::newRow("utf32 be bom alone") << QByteArray("\0\0\xFE\xFF", 4) << Utf32BeWithBom << 4;
    QTest::newRow("00 00 FE too short for utf32") << QByteArray("\0\0\xFE", 3) << Local8Bit << 0;
    QTest::newRow("leading zero, no utf32 mark") << QByteArray("\0A\0B", 4) << Local8Bit << 0;

    // Sizes 0 and 1
    QTest::newRow("empty") << QByteArray("") << Ascii << 0;
    QTest::newRow("one ascii byte") << QByteArray("A") << Ascii << 0;
    QTest::newRow("one lead byte is a cut sequence") << QByteArray("\xE9") << Utf8NoBom << 0;

    // 7-bit, UTF-8 and Latin-1
    QTest::newRow("plain english") << QByteArray("plain english text") << Ascii << 0;
    QTest::newRow("e acute as C3 A9") << QByteArray("caf\xC3\xA9 au lait") << Utf8NoBom << 0;
    QTest::newRow("latin1 e acute mid-text") << QByteArray("caf\xE9 au lait") << Local8Bit << 0;
    QTest::newRow("latin1 e acute last byte") << QByteArray("caf\xE9") << Utf8NoBom << 0;
    QTest::newRow("latin1 e acute second to last") << QByteArray("caf\xE9!") << Utf8NoBom << 0;
    QTest::newRow("thai lead E0 refused") << QByteArray("x \xE0\xB8\x81 y") << Local8Bit << 0;
    QTest::newRow("devanagari lead E0 refused") << QByteArray("x \xE0\xA4\x85 y") << Local8Bit << 0;
    QTest::newRow("E1..EF leads accepted")
        << QByteArray("\xE1\x80\x80 \xE4\xB8\xAD \xEF\xBC\x81") << Utf8NoBom << 0;
    QTest::newRow("four-byte emoji refused") << QByteArray("ok \xF0\x9F\x98\x80 ok") << Local8Bit << 0;
    QTest::newRow("cut two-byte sequence") << QByteArray("\xC3\xA9t\xC3") << Utf8NoBom << 0;
    QTest::newRow("cut three-byte sequence") << QByteArray("\xC3\xA9t\xE4\xB8") << Utf8NoBom << 0;
    QTest::newRow("C0 lead refused") << QByteArray("a\xC0\x80 b") << Local8Bit << 0;
    QTest::newRow("C0 as last byte is cut") << QByteArray("ab\xC0") << Utf8NoBom << 0;
    QTest::newRow("C1 lead passes") << QByteArray("a\xC1\x81 b") << Utf8NoBom << 0;
    QTest::newRow("surrogate range passes") << QByteArray("a\xED\xA0\x80 b") << Utf8NoBom << 0;
    QTest::newRow("continuation byte first") << QByteArray("\x80 abc") << Local8Bit << 0;
    QTest::newRow("lead without continuation") << QByteArray("a\xC3( b") << Local8Bit << 0;
    QTest::newRow("three-byte lead, bad third byte") << QByteArray("a\xE4\xB8( b") << Local8Bit << 0;

    // Zero bytes and the UTF-16 test
    QTest::newRow("zero byte in ascii") << QByteArray("ab\0cd", 5) << Local8Bit << 0;
    QTest::newRow("41 00 offered to the utf16 test") << QByteArray("A\0", 2) << Utf16LeNoBom << 0;
    QTest::newRow("00 41 never offered") << QByteArray("\0A", 2) << Local8Bit << 0;
}

void TestEncoding::detectRealText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TEnumTextEncoding>("encoding");
    QTest::addColumn<int>("bomLength");

    const QString mixed = English + Russian + Chinese;
    QTest::newRow("ascii") << English.toLatin1() << Ascii << 0;
    QTest::newRow("utf8 nobom") << mixed.toUtf8() << Utf8NoBom << 0;
    QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF") + mixed.toUtf8() << Utf8WithBom << 3;
    QTest::newRow("utf16 le bom") << Utf16Bytes(Bom + mixed, false) << Utf16LeWithBom << 2;
    QTest::newRow("utf16 be bom") << Utf16Bytes(Bom + mixed, true) << Utf16BeWithBom << 2;
    QTest::newRow("utf16 le nobom latin") << Utf16Bytes(English, false) << Utf16LeNoBom << 0;
    QTest::newRow("utf16 le nobom cyrillic") << Utf16Bytes(Russian, false) << Utf16LeNoBom << 0;
    QTest::newRow("utf16 le nobom cjk") << Utf16Bytes(Chinese, false) << Utf16LeNoBom << 0;
    QTest::newRow("utf16 be nobom") << Utf16Bytes(mixed, true) << Local8Bit << 0;
    QTest::newRow("utf32 be bom") << Utf32Bytes(Bom + mixed, true) << Utf32BeWithBom << 4;
    QTest::newRow("utf32 le bom") << Utf32Bytes(Bom + mixed, false) << Utf32LeWithBom << 4;
    QTest::newRow("latin1") << Encoded("ISO-8859-1", QString::fromUtf8("Größe und Café, à la française.\n"))
                            << Local8Bit << 0;
    QTest::newRow("gb18030") << Encoded("GB18030", Chinese) << Local8Bit << 0;
}

void TestEncoding::detectNullPointerChangesNothing()
{
    CTextEncodingDetector detector;
    detector.Encoding = Utf32BeWithBom;
    detector.BomLength = 4;
    detector.Detect(nullptr, 12);
    QCOMPARE(int(detector.Encoding), int(Utf32BeWithBom));
    QCOMPARE(detector.BomLength, 4);
}

void TestEncoding::checkUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<CTextEncodingDetector::TEnumUtf8Check>("answer");

    QTest::newRow("empty") << QByteArray("") << CTextEncodingDetector::SevenBitOnly;
    QTest::newRow("7-bit") << QByteArray("abc\n") << CTextEncodingDetector::SevenBitOnly;
    QTest::newRow("two-byte") << QByteArray("\xD0\x9C") << CTextEncodingDetector::MultiByteUtf8;
    QTest::newRow("bad sequence after good one")
        << QByteArray("\xD0\x9C\xFF") << CTextEncodingDetector::NotUtf8;
    QTest::newRow("zero byte after good one")
        << QByteArray("\xD0\x9C\0", 3) << CTextEncodingDetector::NotUtf8;
    QTest::newRow("E0 cut by the end is accepted")
        << QByteArray("a\xE0\x80") << CTextEncodingDetector::MultiByteUtf8;
}

void TestEncoding::checkUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(CTextEncodingDetector::TEnumUtf8Check, answer);
    QCOMPARE(int(CTextEncodingDetector::CheckUtf8(bytes.constData(), quint32(bytes.size()))), int(answer));
    QCOMPARE(int(CTextEncodingDetector::CheckUtf8(nullptr, 3)), int(CTextEncodingDetector::NotUtf8));
}

void TestEncoding::isTextUnicode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf16");

    // UTF-16LE text without a mark, in several scripts
    QTest::newRow("latin") << Utf16Bytes(English, false) << true;
    QTest::newRow("cyrillic") << Utf16Bytes(QString::fromUtf8("Москва — столица России"), false) << true;
    QTest::newRow("cjk with ideographic punctuation")
        << Utf16Bytes(QString::fromUtf8("中文文本，上海和北京。"), false) << true;
    QString hanzi;
    for (int i = 0; i < 400; ++i)
        hanzi.append(QChar(0x4E00 + (i * 37) % 2000));
    QTest::newRow("cjk without any separator") << Utf16Bytes(hanzi, false) << true;
    QTest::newRow("zero-extended ascii") << QByteArray("A\0", 2) << true;

    // 8-bit text and binary data
    QTest::newRow("ascii") << English.toLatin1() << false;
    QTest::newRow("utf8") << (Russian + Chinese).toUtf8() << false;
    QTest::newRow("latin1") << Encoded("ISO-8859-1", QString::fromUtf8("Größe und Café, à la française."))
                            << false;
    QTest::newRow("gb18030") << Encoded("GB18030", Chinese + Chinese + Chinese) << false;
    QByteArray noise(4096, 0);
    quint32 seed = 12345;
    for (char &byte : noise)
        byte = char((seed = seed * 1103515245u + 12345u) >> 16);
    noise[1] = 0;
    QTest::newRow("random bytes") << noise << false;
    QTest::newRow("binary header") << QByteArray("L\0\0\0\x01\x14\x02\0\0\0\0\0\xC0\0\0\0", 16) << false;

    // The rules one by one
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one byte") << QByteArray("A") << false;
    QTest::newRow("odd length") << QByteArray("A\0B\0C", 5) << false;
    QTest::newRow("nul unit") << QByteArray("A\0\0\0B\0", 6) << false;
    QTest::newRow("unit FFFF") << QByteArray("A\0\xFF\xFF B\0", 6) << false;
    QTest::newRow("byte-reversed bom") << QByteArray("A\0\xFE\xFF B\0", 6) << false;
    QTest::newRow("cr lf packed in one unit") << QByteArray("A\0\r\nB\0", 6) << false;
    QTest::newRow("big-endian line feed") << QByteArray("A\0\0\nB\0", 6) << false;
}

void TestEncoding::isTextUnicode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf16);
    QCOMPARE(IsTextUnicode(bytes.constData(), quint32(bytes.size())), utf16);
}

void TestEncoding::unmarkedTextCharset_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QByteArray>("codec");

    QTest::newRow("gb18030 for chinese")
        << Encoded("GB18030", Chinese) << "zh_CN" << QByteArray("UTF-8") << QByteArray("GB18030");
    QTest::newRow("latin1 for german") << Encoded("ISO-8859-1", QString::fromUtf8("Größe")) << "de_DE"
                                       << QByteArray("UTF-8") << QByteArray("windows-1252");
    QTest::newRow("cp1251 for russian")
        << Encoded("windows-1251", Russian) << "ru_RU" << QByteArray("UTF-8") << QByteArray("windows-1251");
    QTest::newRow("koi8-r for russian")
        << Encoded("KOI8-R", Russian) << "ru_RU" << QByteArray("UTF-8") << QByteArray("KOI8-R");
    const QString japanese = QString::fromUtf8("日本語のテキスト、表示する。");
    QTest::newRow("shift_jis for japanese")
        << Encoded("Shift_JIS", japanese) << "ja_JP" << QByteArray("UTF-8") << QByteArray("Shift_JIS");
    QTest::newRow("euc-jp where shift_jis has errors")
        << Encoded("EUC-JP", japanese) << "ja_JP" << QByteArray("UTF-8") << QByteArray("EUC-JP");
    QTest::newRow("a system codec other than utf8 decodes all")
        << Encoded("GB18030", Chinese) << "zh_CN" << QByteArray("ISO-8859-1") << QByteArray("ISO-8859-1");
    QTest::newRow("four-byte utf8 is utf8")
        << QByteArray("ok \xF0\x9F\x98\x80 ok") << "zh_CN" << QByteArray("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("utf8 across reads") << QByteArray(CUnmarkedTextCharset::ReadBytes - 1, 'a') + "\xC3\xA9"
                                       << "de_DE" << QByteArray("UTF-8") << QByteArray("UTF-8");
    QTest::newRow("a late byte decides")
        << QByteArray(3 * CUnmarkedTextCharset::ReadBytes, 'a') + "\xC3\xA9\xFF"
        << "de_DE" << QByteArray("UTF-8") << QByteArray("windows-1252");
}

void TestEncoding::unmarkedTextCharset()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, locale);
    QFETCH(QByteArray, system);
    QFETCH(QByteArray, codec);
    const CUnmarkedTextCharset charset(QTextCodec::codecForName(system), locale);
    QCOMPARE(charset.CodecFor(bytes)->name(), QTextCodec::codecForName(codec)->name());
}

void TestEncoding::charsetForLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<bool>("wordSeparated");

    QTest::newRow("zh_CN") << "zh_CN"
                           << "GB18030" << false;
    QTest::newRow("zh_TW") << "zh_TW"
                           << "Big5" << false;
    QTest::newRow("zh_HK") << "zh_HK"
                           << "Big5-HKSCS" << false;
    QTest::newRow("zh_SG by language") << "zh_SG"
                                       << "GB18030" << false;
    QTest::newRow("en_US") << "en_US"
                           << "windows-1252" << true;
    QTest::newRow("de_DE") << "de_DE"
                           << "windows-1252" << true;
    QTest::newRow("fr_FR") << "fr_FR"
                           << "windows-1252" << true;
    QTest::newRow("he_IL") << "he_IL"
                           << "windows-1255" << true;
    QTest::newRow("iw_IL") << "iw_IL"
                           << "windows-1255" << true;
    QTest::newRow("el_GR") << "el_GR"
                           << "windows-1253" << true;
    QTest::newRow("ru_RU") << "ru_RU"
                           << "windows-1251" << true;
    QTest::newRow("ko_KR") << "ko_KR"
                           << "CP949" << true;
    QTest::newRow("ja_JP") << "ja_JP"
                           << "Shift_JIS" << false;
    QTest::newRow("pt_BR") << "pt_BR"
                           << "windows-1252" << true;
    QTest::newRow("C") << "C"
                       << "" << true;
}

void TestEncoding::charsetForLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, charset);
    QFETCH(bool, wordSeparated);

    QCOMPARE(CharsetForLocale(locale), charset);
    QCOMPARE(IsWordSeparatedLanguage(locale), wordSeparated);
    QVERIFY(charset.isEmpty() || QTextCodec::codecForName(charset.toLatin1()));
}

QTEST_GUILESS_MAIN(TestEncoding)
#include "tst_encoding.moc"
