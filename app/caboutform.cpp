#include "app/caboutform.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QIcon>
#include <QTextBrowser>

CAboutForm::CAboutForm(int width, int height, const QString &title, const QString &html, QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
{
    Message_TextBrowser = new QTextBrowser();
    Message_TextBrowser->setObjectName(QStringLiteral("Message_TextBrowser"));
    Message_TextBrowser->setFixedSize(width, height);
    Message_TextBrowser->setOpenExternalLinks(true);
    Message_TextBrowser->setHtml(html);
    Message_TextBrowser->setFont(QFont(QStringLiteral("verdana")));

    Ok_DialogButtonBox = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal);
    Ok_DialogButtonBox->setObjectName(QStringLiteral("Ok_DialogButtonBox"));
    connect(Ok_DialogButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Ok_DialogButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout();
    layout->addWidget(Message_TextBrowser, 0, 0);
    layout->addWidget(Ok_DialogButtonBox, 1, 0);
    setLayout(layout);

    setWindowTitle(title);
    setWindowIcon(QIcon(QStringLiteral(":/images/norvane.ico")));
}

CAboutForm::~CAboutForm() = default;
