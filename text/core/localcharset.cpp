#include "text/core/localcharset.h"

#include <QTextCodec>

const QMap<QString, QString> &LocaleCharsets()
{
    static const QMap<QString, QString> table{
        {QStringLiteral("zh_CN"), QStringLiteral("GB18030")},
        {QStringLiteral("zh_TW"), QStringLiteral("Big5")},
        {QStringLiteral("zh_HK"), QStringLiteral("Big5-HKSCS")},
    };
    return table;
}

const QStringList &WordSeparatedLanguages()
{
    static const QStringList languages{QStringLiteral("c"), QStringLiteral("en"), QStringLiteral("fr"),
                                       QStringLiteral("de")};
    return languages;
}

namespace {

struct LanguageCharset
{
    const char *language;
    const char *charset;
};

// Language code (first two characters of the locale name) -> charset.
const LanguageCharset LanguageCharsets[] = {
    {"zh", "GB18030"},    {"jp", "ISO-2022-JP"}, {"ko", "EUC-KR"},     {"en", "ISO-8859-1"},
    {"de", "ISO-8859-1"}, {"fr", "ISO-8859-1"},  {"iw", "ISO-8859-8"}, {"he", "ISO-8859-8"},
    {"el", "ISO-8859-7"}, {"ru", "ISO-8859-5"},  {"i2", "ISO-8859-2"},
};

QString LanguageOf(const QString &localeName)
{
    return localeName.left(2).toLower();
}

} // namespace

QString CharsetForLocale(const QString &localeName)
{
    const QString charset = LocaleCharsets().value(localeName);
    if (!charset.isEmpty())
        return charset;
    const QString language = LanguageOf(localeName);
    for (const LanguageCharset &row : LanguageCharsets) {
        if (language == QLatin1String(row.language))
            return QString::fromLatin1(row.charset);
    }
    return QString();
}

bool IsWordSeparatedLanguage(const QString &localeName)
{
    return WordSeparatedLanguages().contains(LanguageOf(localeName));
}

QString CodecEntryName(const QTextCodec *codec)
{
    const QByteArray name = codec->name();
    return QString::fromLatin1(name.constData(), qstrnlen(name.constData(), name.size()));
}

QList<QTextCodec *> OrderedAvailableCodecs()
{
    QMap<QString, QTextCodec *> byUpperName;
    const QList<int> mibs = QTextCodec::availableMibs();
    for (int mib : mibs) {
        QTextCodec *codec = QTextCodec::codecForMib(mib);
        if (!codec)
            continue;
        const QByteArray upper = codec->name().toUpper();
        byUpperName.insert(QString::fromLatin1(upper.constData(), qstrnlen(upper.constData(), upper.size())),
                           codec);
    }
    return byUpperName.values();
}
