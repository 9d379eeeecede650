#ifndef LINTRA_MODALDIALOGS_H
#define LINTRA_MODALDIALOGS_H

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <functional>

// What a test saw of one modal dialog before it was closed.
struct CSeenDialog
{
    QString Title;
    QString Text;              // a message box's text, or the plain text of an HTML dialog
    QSet<QString> LinkTargets; // the live links of an HTML dialog
    QSize TextSize;            // the HTML dialog's text area
    bool IsMessageBox = false;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Closes every application-modal dialog the code under test runs with exec(),
// recording its title and text first. It polls from the event loop, which the
// dialog's own exec() keeps running.
class CModalDialogCloser
{
public:
    // How a dialog is closed; rejecting it by default, like Escape.
    std::function<void(QDialog *)> Close = [](QDialog *dialog) { dialog->reject(); };
    QList<CSeenDialog> Seen;

    CModalDialogCloser()
    {
        QObject::connect(&Timer, &QTimer::timeout, &Timer, [this] { CloseActiveModal(); });
        Timer.start(10);
    }

private:
    QTimer Timer;

    void CloseActiveModal()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        Seen.append(Describe(dialog));
        Close(dialog);
    }

    static CSeenDialog Describe(QDialog *dialog)
    {
        CSeenDialog seen;
        seen.Title = dialog->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            seen.IsMessageBox = true;
            seen.Icon = box->icon();
            seen.Text = box->text();
        } else if (auto *browser = dialog->findChild<QTextBrowser *>()) {
            seen.Text = browser->toPlainText();
            seen.LinkTargets = LinkTargets(browser->document());
            seen.TextSize = browser->size();
        }
        return seen;
    }

    static QSet<QString> LinkTargets(const QTextDocument *document)
    {
        QSet<QString> targets;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().isAnchor())
                    targets.insert(it.fragment().charFormat().anchorHref());
            }
        }
        return targets;
    }
};

#endif
