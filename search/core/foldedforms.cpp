#include "search/core/foldedforms.h"

#include "search/core/keywordquery.h"

#include <QHash>
#include <QTextCodec>

#include <algorithm>

#include <unicode/uchar.h>

namespace {

// Adds the characters of one range of a general category that ICU folds at
// all (be it out of their plane, which FoldCase does not do). Unassigned and
// private-use code points have no case, nor have surrogates: they are most
// of the code space, and are skipped whole.
UBool AddFoldingCandidates(const void *context, UChar32 start, UChar32 limit, UCharCategory type)
{
    if (type == U_UNASSIGNED || type == U_PRIVATE_USE_CHAR || type == U_SURROGATE)
        return true;
    auto *codePoints = static_cast<QVector<uint> *>(const_cast<void *>(context));
    for (UChar32 c = start; c < limit; ++c) {
        if (u_foldCase(c, U_FOLD_CASE_DEFAULT) != c)
            *codePoints << uint(c);
    }
    return true;
}

// Every code point whose folding differs from it, by its folding, folded
// with the very folding the matcher uses, so that no table of ours can
// drift from it.
QHash<uint, QVector<uint>> BuildUnfoldings()
{
    QHash<uint, QVector<uint>> unfoldings;
    QVector<uint> codePoints;
    u_enumCharTypes(AddFoldingCandidates, &codePoints);
    const QVector<uint> folded =
        FoldCase(QString::fromUcs4(codePoints.constData(), codePoints.size())).toUcs4();
    for (int i = 0; i < codePoints.size() && i < folded.size(); ++i) {
        if (folded.at(i) != codePoints.at(i))
            unfoldings[folded.at(i)] << codePoints.at(i);
    }
    return unfoldings;
}

const QHash<uint, QVector<uint>> &Unfoldings()
{
    static const QHash<uint, QVector<uint>> unfoldings = BuildUnfoldings();
    return unfoldings;
}

// The UTF-8 of each character that folds to codePoint, an ASCII letter in lower case.
QVector<QByteArray> CharacterForms(uint codePoint)
{
    QVector<QByteArray> forms;
    QVector<uint> characters{codePoint};
    characters += Unfoldings().value(codePoint);
    for (uint c : qAsConst(characters)) {
        if (c < 0x80) {
            c = QChar::toLower(c);
        }
        const QByteArray form = QString::fromUcs4(&c, 1).toUtf8();
        if (!forms.contains(form))
            forms << form;
    }
    return forms;
}

// Every text made of one form of each character in turn; false where there
// would be more than maxForms.
bool Combine(QVector<QByteArray> &forms, const QVector<QByteArray> &characterForms, int maxForms)
{
    if (forms.size() * characterForms.size() > maxForms)
        return false;
    QVector<QByteArray> longer;
    for (const QByteArray &form : qAsConst(forms)) {
        for (const QByteArray &character : characterForms)
            longer << form + character;
    }
    forms = longer;
    return true;
}

// What codec decodes each byte to, where every byte is one character of its
// own, whatever comes before or after it; empty for any other charset.
QVector<QChar> SingleByteCharacters(QTextCodec *codec)
{
    QVector<QChar> characters;
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        const QString character = codec->toUnicode(&byte, 1, &state);
        if (character.size() != 1)
            return {};
        characters << character.at(0);
        all += byte;
    }
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString decoded = codec->toUnicode(all.constData(), all.size(), &state);
    if (decoded.size() != 256 || !std::equal(characters.cbegin(), characters.cend(), decoded.cbegin()))
        return {};
    return characters;
}

} // namespace

bool SingleByteFoldedForms(const QString &foldedKeyword, QTextCodec *codec, int maxForms,
                           QVector<QByteArray> *forms)
{
    const QVector<QChar> characters = SingleByteCharacters(codec);
    if (characters.isEmpty())
        return false;
    *forms = {QByteArray()};
    for (const QChar unit : foldedKeyword) {
        QVector<QByteArray> bytes;
        for (int b = 0; b < 256; ++b) {
            if (FoldCase(QString(characters.at(b))) == QString(unit)) {
                const char byte = char(b < 0x80 ? QChar::toLower(uint(b)) : uint(b));
                if (!bytes.contains(QByteArray(1, byte)))
                    bytes << QByteArray(1, byte);
            }
        }
        if (bytes.isEmpty()) {
            forms->clear(); // no text in this charset holds the keyword
            return true;
        }
        if (!Combine(*forms, bytes, maxForms))
            return false;
    }
    return true;
}

QVector<QByteArray> Utf8FoldedForms(const QString &foldedKeyword, int maxForms)
{
    QVector<QByteArray> forms{QByteArray()};
    const QVector<uint> codePoints = foldedKeyword.toUcs4();
    for (const uint codePoint : codePoints) {
        // Invalid bytes decode to U+FFFD, and toUcs4 passes an unpaired surrogate on.
        if (codePoint == QChar::ReplacementCharacter || QChar::isSurrogate(codePoint))
            return {};
        if (!Combine(forms, CharacterForms(codePoint), maxForms))
            return {};
    }
    return forms;
}
