#include "app/caboutform.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QTextBrowser>

#include "app/formfitting.h"
#include "app/messagebox.h"

namespace {

const int MaxWidthFactor = 2;

} // namespace

CAboutForm::CAboutForm(int width, int height, const QString &title, const QString &html, QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
{
    Message_TextBrowser = new QTextBrowser();
    Message_TextBrowser->setObjectName(QStringLiteral("Message_TextBrowser"));
    Message_TextBrowser->setOpenExternalLinks(true);
    Message_TextBrowser->setHtml(html);
    Message_TextBrowser->setFont(ProgramBoxFont());
    // The given size is the least one, for 96 dpi; the text decides beyond
    // that, so that it never needs a scroll bar. Lines wrap only past
    // MaxWidthFactor times the given width.
    const QSize least(ScaledToDpi(width, Message_TextBrowser), ScaledToDpi(height, Message_TextBrowser));
    FitTextViewToDocument(Message_TextBrowser, least, least.width() * MaxWidthFactor);

    Ok_DialogButtonBox = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal);
    Ok_DialogButtonBox->setObjectName(QStringLiteral("Ok_DialogButtonBox"));
    connect(Ok_DialogButtonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Ok_DialogButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout();
    layout->addWidget(Message_TextBrowser, 0, 0);
    layout->addWidget(Ok_DialogButtonBox, 1, 0);
    // Nothing to gain from a bigger dialog: the text area is fixed.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setLayout(layout);

    setWindowTitle(title);
    setWindowIcon(ProgramIcon());
}

CAboutForm::~CAboutForm() = default;
