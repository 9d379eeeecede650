// The main window's part of local charset detection: the codec list and the
// "Default Local Charset" selector.

#include "app/clintra.h"
#include "app/ui_clintra.h"
#include "text/core/localcharset.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QTextCodec>

void CLintra::BuildAvailableCodecs()
{
    AvailableCodecs = OrderedAvailableCodecs();
}

void CLintra::DetectLocalCharset()
{
    QComboBox *box = ui->DefaultLocal8BitCharset_ComboBox;
    box->clear();
    for (QTextCodec *codec : qAsConst(AvailableCodecs))
        box->addItem(QIcon(), CodecEntryName(codec), codec->mibEnum());

    ui->Local8Bit_Label->setText(ui->Local8Bit_Label->text() + tr(" (Language: ") + SystemLocaleName +
                                 tr(")"));

    // The charset that text which is not UTF-8 is read in.
    int index = box->findData(CodecEntryName(UnmarkedCharset.LegacyOrLocalCodec()), Qt::DisplayRole,
                              Qt::MatchFixedString);
    if (index < 0)
        index = box->findData(CodecEntryName(QTextCodec::codecForLocale()), Qt::DisplayRole,
                              Qt::MatchFixedString);
    if (index < 0)
        index = box->findData(QStringLiteral("ISO-8859-1"), Qt::DisplayRole, Qt::MatchFixedString);
    if (index < 0)
        index = 0;
    box->setCurrentIndex(index);
}

// The selector only shows the detected charset (it is disabled): the charset
// text is read in is the one detected, or the one named in the settings file.
void CLintra::UpdateSelectedCharsetMib() {}
