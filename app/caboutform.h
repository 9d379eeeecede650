#ifndef LINTRA_CABOUTFORM_H
#define LINTRA_CABOUTFORM_H

#include <QDialog>

class QDialogButtonBox;
class QString;
class QTextBrowser;

// The program's small HTML dialog: a fixed-size read-only text with live links
// (opened in the system's browser) above an OK button. It shows what it is
// given; the callers build the text and run it with exec().
class CAboutForm : public QDialog
{
public:
    CAboutForm(int width, int height, const QString &title, const QString &html, QWidget *parent);
    ~CAboutForm() override;

    QTextBrowser *Message_TextBrowser;
    QDialogButtonBox *Ok_DialogButtonBox;
};

#endif
