#include "search/core/typedpath.h"

#include <QRegularExpression>

namespace {

QString ExpandedVariables(const QString &text, const std::function<QString(const QString &name)> &variable)
{
    static const QRegularExpression reference(
        QStringLiteral("\\$(?:\\{([A-Za-z_][A-Za-z0-9_]*)\\}|([A-Za-z_][A-Za-z0-9_]*))"));
    QString expanded;
    int copied = 0;
    QRegularExpressionMatchIterator matches = reference.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString name = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        const QString value = variable(name);
        if (value.isNull())
            continue;
        expanded += text.mid(copied, match.capturedStart() - copied) + value;
        copied = match.capturedEnd();
    }
    return expanded + text.mid(copied);
}

} // namespace

QString ExpandedTypedPath(const QString &typed, const QString &home,
                          const std::function<QString(const QString &name)> &variable)
{
    QString path = typed;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = home + path.mid(1);
    return ExpandedVariables(path, variable);
}
