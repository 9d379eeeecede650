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
#include <QtTest>

#include <functional>

#include "app/messagebox.h"

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

// Answers every message box the code under test shows, where the program
// builds them (ShowMessageBox), and closes every other application-modal
// dialog it runs with exec(), recording its title and text first. Those it
// polls from the event loop, which the dialog's own exec() keeps running.
class CModalDialogCloser
{
public:
    // How a dialog is closed; rejecting it by default, like Escape. A box is
    // shown first, so that it can be looked at and measured.
    std::function<void(QDialog *)> Close = [](QDialog *dialog) { dialog->reject(); };
    QList<CSeenDialog> Seen;

    CModalDialogCloser()
    {
        PreviousAnswerer = SetMessageBoxAnswerer([this](QMessageBox &box) { return Answer(box); });
        QObject::connect(&Timer, &QTimer::timeout, &Timer, [this] { CloseActiveModal(); });
        Timer.start(10);
    }
    ~CModalDialogCloser() { SetMessageBoxAnswerer(PreviousAnswerer); }

private:
    QTimer Timer;
    TMessageBoxAnswerer PreviousAnswerer;

    QMessageBox *Answering = nullptr;

    QMessageBox::StandardButton Answer(QMessageBox &box)
    {
        Answering = &box;
        box.show();
        if (!QTest::qWaitForWindowExposed(&box))
            QTest::qFail("a message box was never shown", __FILE__, __LINE__);
        Seen.append(Describe(&box));
        Close(&box);
        Answering = nullptr;
        return box.clickedButton() ? box.standardButton(box.clickedButton()) : QMessageBox::NoButton;
    }

    void CloseActiveModal()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog == Answering)
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
