#include "app/formaccessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QTextDocument>
#include <QTextDocumentFragment>

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

// A combo box that only offers a choice: named by its accessible name or its
// label, its current entry as its value and as its (read-only) text, which
// is where screen readers read a combo box's entry; the drop-down list is
// its child and pressing it opens the list, as with Qt's own.
class CChoiceAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit CChoiceAccessible(QComboBox *comboBox)
        : QAccessibleWidget(comboBox, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return Entry();
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(ComboBox()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == ComboBox()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &) override { ComboBox()->showPopup(); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text: the current entry, which cannot be edited or selected.
    QString text(int start, int end) const override { return Entry().mid(start, end - start); }
    int characterCount() const override { return Entry().size(); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QComboBox *ComboBox() const { return static_cast<QComboBox *>(object()); }
    QString Entry() const { return ComboBox()->currentText(); }
};

QAccessibleInterface *FormAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") &&
        object->objectName() == QLatin1String("SearchingProgressStatus_Label"))
        return new CStatusLineAccessible(static_cast<QLabel *>(object));
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox *>(object)->isEditable())
        return new CChoiceAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}

// Every tool-tip given to a widget becomes its description, without markup,
// unless the widget was given a description of its own.
class CToolTipDescriber : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTipChange && watched->isWidgetType())
            Describe(static_cast<QWidget *>(watched));
        return false;
    }

private:
    static void Describe(QWidget *widget)
    {
        const char *derived = "lintraDescriptionFromToolTip";
        const QString own = widget->accessibleDescription();
        if (!own.isEmpty() && own != widget->property(derived).toString())
            return;
        const QString tip = widget->toolTip();
        const QString plain =
            Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
        widget->setAccessibleDescription(plain.simplified());
        widget->setProperty(derived, widget->accessibleDescription());
    }
};

} // namespace

void InstallFormAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    QAccessible::installFactory(FormAccessibleFactory);
    qApp->installEventFilter(new CToolTipDescriber(qApp));
    installed = true;
}
