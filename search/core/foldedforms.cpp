#include "search/core/foldedforms.h"

#include "search/core/keywordquery.h"

#include <QHash>

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

} // namespace

QVector<QByteArray> Utf8FoldedForms(const QString &foldedKeyword, int maxForms)
{
    QVector<QByteArray> forms{QByteArray()};
    const QVector<uint> codePoints = foldedKeyword.toUcs4();
    for (const uint codePoint : codePoints) {
        // Invalid bytes decode to U+FFFD, and toUcs4 passes an unpaired surrogate on.
        if (codePoint == QChar::ReplacementCharacter || QChar::isSurrogate(codePoint))
            return {};
        const QVector<QByteArray> characterForms = CharacterForms(codePoint);
        if (forms.size() * characterForms.size() > maxForms)
            return {};
        QVector<QByteArray> longer;
        for (const QByteArray &form : qAsConst(forms)) {
            for (const QByteArray &character : characterForms)
                longer << form + character;
        }
        forms = longer;
    }
    return forms;
}
