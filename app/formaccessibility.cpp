#include "app/formaccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

// The status line: a label whose name is its current text, in the role of a
// status bar. QLabel reports every new text as a name change, which the
// accessibility bus passes on to screen readers.
class CStatusLineAccessible : public QAccessibleWidget
{
public:
    explicit CStatusLineAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StatusBar)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QLabel *label = static_cast<const QLabel *>(object());
        if (kind == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *FormAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") &&
        object->objectName() == QLatin1String("SearchingProgressStatus_Label"))
        return new CStatusLineAccessible(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

void InstallFormAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    QAccessible::installFactory(FormAccessibleFactory);
    installed = true;
}
