#include "app/formstyle.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleOption>

namespace {

class CFormStyle : public QProxyStyle
{
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        if (type == CT_PushButton && option) {
            // Some three fifths of a line each side, frame included: it
            // grows with the font, and so with the dpi.
            const int least = contents.width() + option->fontMetrics.height() * 6 / 5;
            size.setWidth(qMax(size.width(), least));
        }
        return size;
    }
};

} // namespace

void InstallFormStyle()
{
    // Without a base, the proxy wraps the style the application would use.
    QApplication::setStyle(new CFormStyle);
}
