#include "viewer/core/panelayout.h"

bool HasLineTooLongToWrap(const QString &text)
{
    int lineStart = 0;
    while (lineStart < text.size()) {
        int lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        if (lineEnd - lineStart > LongestWrappedLine)
            return true;
        lineStart = lineEnd + 1;
    }
    return false;
}
