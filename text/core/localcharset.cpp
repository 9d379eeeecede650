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

const QStringList &UnspacedLanguages()
{
    static const QStringList languages{QStringLiteral("zh"), QStringLiteral("ja"), QStringLiteral("th"),
                                       QStringLiteral("lo"), QStringLiteral("km"), QStringLiteral("my"),
                                       QStringLiteral("bo")};
    return languages;
}

namespace {

struct LanguageCharsets
{
    const char *languages; // codes separated by blanks
    const char *first;
    const char *second; // as common as the first, or null
};

// Where Windows has a superset of the ISO charset (CP1252 for Latin-1), the
// superset: old files hold its quotation marks and the euro sign.
const LanguageCharsets LanguageCharsetTable[] = {
    {"en de fr es it pt nl da sv no nb nn fi is ca gl eu ga af id ms sw", "windows-1252", nullptr},
    {"pl cs sk hu sl hr ro sq bs", "windows-1250", nullptr},
    {"ru", "windows-1251", "KOI8-R"},
    {"uk be bg mk sr", "windows-1251", nullptr},
    {"el", "windows-1253", nullptr},
    {"tr az", "windows-1254", nullptr},
    {"he iw yi", "windows-1255", nullptr},
    {"ar fa ur", "windows-1256", nullptr},
    {"lt lv et", "windows-1257", nullptr},
    {"vi", "windows-1258", nullptr},
    {"th", "CP874", nullptr},
    {"ja", "Shift_JIS", "EUC-JP"},
    {"ko", "CP949", nullptr},
    {"zh", "GB18030", nullptr},
};

QString LanguageOf(const QString &localeName)
{
    return localeName.left(2).toLower();
}

} // namespace

QStringList LegacyCharsetsForLocale(const QString &localeName)
{
    const QString charset = LocaleCharsets().value(localeName);
    if (!charset.isEmpty())
        return QStringList{charset};
    const QString language = LanguageOf(localeName);
    for (const LanguageCharsets &row : LanguageCharsetTable) {
        if (!QString::fromLatin1(row.languages).split(QLatin1Char(' ')).contains(language))
            continue;
        QStringList charsets{QString::fromLatin1(row.first)};
        if (row.second)
            charsets << QString::fromLatin1(row.second);
        return charsets;
    }
    return QStringList();
}

QString CharsetForLocale(const QString &localeName)
{
    return LegacyCharsetsForLocale(localeName).value(0);
}

bool IsWordSeparatedLanguage(const QString &localeName)
{
    return !UnspacedLanguages().contains(LanguageOf(localeName));
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
