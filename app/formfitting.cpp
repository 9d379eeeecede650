#include "app/formfitting.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScopedPointer>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

#include "app/clintra.h"
#include "app/ui_clintra.h"

namespace {

// The drawn content (x 20, y 20 in a window of 681 x 552), its margin and
// the widest drawn charset selector.
const QSize DrawnContentSize(641, 512);
const int DrawnMargin = 20;
const int DrawnCharsetSelectorWidth = 190;

void FitNoticeLine(QTextBrowser *notice)
{
    notice->setMinimumWidth(0);
    const QSize needed = TextViewSizeForDocument(notice, QWIDGETSIZE_MAX);
    notice->setMinimumWidth(needed.width());
    notice->setFixedHeight(qMax(needed.height(), ScaledToDpi(28, notice)));
}

// A search summary with big counts is longer than its column: it wraps, in
// room for two lines kept from the start, so that the window does not change
// its size after a search.
void FitStatusLine(QLabel *status)
{
    status->setWordWrap(true);
    QSizePolicy policy = status->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    status->setSizePolicy(policy);
    status->setMinimumHeight(2 * status->fontMetrics().lineSpacing());
}

// The heading over the content pane is as wide as the longer of the two
// texts a search gives it, and keeps its room (with the charset selector
// beside it) while hidden.
void KeepRoomForResultHeading(QLabel *heading, QComboBox *charsets)
{
    const QString shown = heading->text();
    int width = 0;
    for (const QString &text : {CLintra::tr("Matched Filename"), CLintra::tr("File Content in Charset")}) {
        heading->setText(text);
        width = qMax(width, heading->sizeHint().width());
    }
    heading->setText(shown);
    heading->setMinimumWidth(width);
    for (QWidget *widget : {static_cast<QWidget *>(heading), static_cast<QWidget *>(charsets)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

// A copy of the view's document to measure, laid out as the view would.
QTextDocument *MeasuredCopy(const QTextEdit *view)
{
    QTextDocument *copy = view->document()->clone();
    copy->setDefaultFont(view->document()->defaultFont());
    copy->setDocumentMargin(view->document()->documentMargin());
    // Fonts measure by the device's dpi, which a bare document does not know.
    copy->documentLayout()->setPaintDevice(view->viewport());
    return copy;
}

int Frame(const QTextEdit *view)
{
    return 2 * view->frameWidth();
}

// Outer width at which no line of the document wraps.
int NaturalOuterWidth(const QTextEdit *view)
{
    QScopedPointer<QTextDocument> document(MeasuredCopy(view));
    document->setTextWidth(-1);
    // Rounded up, and one pixel more: text advances are fractional.
    return qCeil(document->size().width()) + 1 + Frame(view);
}

// Outer height of the whole document in a view of the given outer width.
int OuterHeightAt(const QTextEdit *view, int width)
{
    QScopedPointer<QTextDocument> document(MeasuredCopy(view));
    document->setTextWidth(width - Frame(view));
    return qCeil(document->size().height()) + Frame(view);
}

} // namespace

int ScaledToDpi(int pixels, const QWidget *widget)
{
    return qMax(pixels, qRound(pixels * widget->logicalDpiY() / 96.0));
}

QSize TextViewSizeForDocument(const QTextEdit *view, int maxWidth)
{
    const int width = qMin(NaturalOuterWidth(view), maxWidth);
    return QSize(width, OuterHeightAt(view, width));
}

void FitTextViewToDocument(QTextEdit *view, const QSize &minimum, int maxWidth)
{
    const int width = qMax(minimum.width(), qMin(NaturalOuterWidth(view), maxWidth));
    view->setFixedSize(width, qMax(minimum.height(), OuterHeightAt(view, width)));
}

void FitMainWindowToTexts(QWidget *window, Ui_CLintra *ui, QLabel *heading, QComboBox *charsets)
{
    QComboBox *local = ui->DefaultLocal8BitCharset_ComboBox;
    local->setMaximumWidth(qMax(ScaledToDpi(DrawnCharsetSelectorWidth, local), local->sizeHint().width()));
    FitStatusLine(ui->SearchingProgressStatus_Label);
    KeepRoomForResultHeading(heading, charsets);

    QTextBrowser *notice = ui->CopyrightInfo_TextBrowser;
    FitNoticeLine(notice);
    QObject::connect(notice->document(), &QTextDocument::contentsChanged, window,
                     [window, ui] { FitControlRowsToWindow(window, ui); });

    // The window's only layout holds the content, at least as large as
    // drawn. The window may grow beyond: the results and the content pane
    // take the room.
    auto *frame = new QGridLayout(window);
    frame->setObjectName(QStringLiteral("WindowFrame_GridLayout"));
    const int margin = ScaledToDpi(DrawnMargin, window);
    frame->setContentsMargins(margin, margin, margin, margin);
    frame->setSizeConstraint(QLayout::SetMinimumSize);
    // As small as its layout lets it be (not less), as large as the window.
    ui->verticalLayoutWidget->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    frame->addWidget(ui->verticalLayoutWidget, 0, 0);
    FitControlRowsToWindow(window, ui);
}

void FitControlRowsToWindow(QWidget *window, Ui_CLintra *ui)
{
    // Natural widths first: without the struts of a previous fit.
    QTextBrowser *notice = ui->CopyrightInfo_TextBrowser;
    FitNoticeLine(notice);
    QGridLayout *inputs = ui->InputZone_GridLayout;
    inputs->setColumnMinimumWidth(2, 0);
    inputs->invalidate();
    ui->MainFrame_VerticalLayout->invalidate();

    // The controls keep the width the drawn window gives them, or what their
    // texts need, whichever is more, however wide the window grows.
    const int width = std::max({ScaledToDpi(DrawnContentSize.width(), window), inputs->sizeHint().width(),
                                ui->VersionInfo_HorizontalLayout->sizeHint().width(),
                                ui->LocalCharset_HorizontalLayout->sizeHint().width(),
                                ui->OutputZone_GridLayout->sizeHint().width()});
    // The fields' column takes what the labels and buttons leave.
    const int fields = std::max(
        {ui->Dir2Search_ComboBox->sizeHint().width(), ui->Keywords2Search_ComboBox->sizeHint().width(),
         ui->horizontalLayout->sizeHint().width(), ui->Searching_ProgressBar->sizeHint().width()});
    inputs->setColumnMinimumWidth(2, fields + width - inputs->sizeHint().width());
    inputs->invalidate();
    const int spacing = ui->VersionInfo_HorizontalLayout->spacing();
    const int buttons = ui->About_PushButton->sizeHint().width() +
                        ui->CheckUpdates_PushButton->sizeHint().width() + 2 * spacing;
    notice->setMinimumWidth(qMax(notice->minimumWidth(), width - buttons));
    ui->MainFrame_VerticalLayout->invalidate();
    // The content as large as drawn, or as its controls need at their
    // preferred sizes (a search button is not squeezed to fit a drawing).
    if (auto *frame = qobject_cast<QGridLayout *>(window->layout())) {
        const QSize needed = ui->MainFrame_VerticalLayout->sizeHint();
        frame->setColumnMinimumWidth(0, qMax(ScaledToDpi(DrawnContentSize.width(), window), needed.width()));
        frame->setRowMinimumHeight(0, qMax(ScaledToDpi(DrawnContentSize.height(), window), needed.height()));
        frame->activate();
    }
}
