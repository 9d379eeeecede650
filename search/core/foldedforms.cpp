#include "search/core/foldedforms.h"

#include "search/core/keywordquery.h"

#include <QHash>

namespace {

// Every code point whose folding differs from it, by its folding. Found by
// folding all of them once, with the same folding as the matcher uses, so no
// table of ours can drift from it.
QHash<uint, QVector<uint>> BuildUnfoldings()
{
    QHash<uint, QVector<uint>> unfoldings;
    QVector<uint> codePoints;
    codePoints.reserve(0x110000 - 0x800);
    for (uint c = 0; c < 0x110000; ++c) {
        if (!QChar::isSurrogate(c))
            codePoints << c;
    }
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
