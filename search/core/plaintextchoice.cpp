#include "search/core/plaintextchoice.h"

#include "search/core/plaintextfilters.h"

CPlainTextChoice::CPlainTextChoice(const QStringList &plainTextPatterns, bool byContent)
    : Listed(plainTextPatterns)
    , Binary(byContent ? BinaryFilePatterns() : QStringList())
    , Content(byContent)
{
}

TEnumTextChoice CPlainTextChoice::ChoiceFor(const QString &name) const
{
    if (Listed.Matches(name))
        return TextByName;
    if (!Content || Binary.Matches(name))
        return TextNever;
    return TextByContent;
}
