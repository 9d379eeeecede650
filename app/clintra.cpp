// The main window: construction in its steps, the language change and the
// tear-down. The controllers it builds live in their subsystems' folders.

#include "app/clintra.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTextBrowser>
#include <QTextCodec>
#include <QTextEdit>

#include "app/csettingsbinding.h"
#include "app/csystray.h"
#include "app/formfitting.h"
#include "app/messagebox.h"
#include "app/ui_clintra.h"
#include "search/cresultlines.h"
#include "search/csearchdriver.h"
#include "text/core/localcharset.h"
#include "update/core/versionstamp.h"
#include "update/cupdatedialogs.h"
#include "viewer/ccontentedit.h"
#include "viewer/cfilestableactions.h"
#include "viewer/cresultviewer.h"

namespace {

// For screen readers, named as the heading beside it reads in a full-text search.
void NameResultContentCharset(QComboBox *selector)
{
    selector->setAccessibleName(CLintra::tr("File Content in Charset"));
}

} // namespace

CLintra::CLintra(QWidget *parent)
    : CLintra(CLintraEnvironment(), parent)
{
}

CLintra::CLintra(const CUpdateCheckConfig &updateCheck, QWidget *parent)
    : CLintra(CLintraEnvironment{updateCheck}, parent)
{
}

CLintra::CLintra(const CLintraEnvironment &environment, QWidget *parent)
    : QWidget(parent, Qt::WindowFlags())
{
    ui = new Ui_CLintra;
    ui->setupUi(this);
    SetTitleAndNotice();
    setWindowIcon(ProgramIcon());
    SetToolTips();
    ReadyText = tr("Ready to do the Unicode full text search...");
    ui->SearchingProgressStatus_Label->setText(ReadyText);
    DetectLocale(environment.LocaleName);
    CreateResultContentHeading();
    CreateResultViewer();
    CreateControllers(environment);
    ConnectResultsTable();
    // Every text is in place: size the window from them, before the stored
    // geometry is applied.
    FitMainWindowToTexts(this, ui, ResultContentHeader_Label, ResultContentCharset_ComboBox);
    CSettingsBinding::SetSettingsStoreNames();
    Settings->LoadSettings();
    StartUpdateCheck(false);
}

CLintra::~CLintra()
{
    // Nothing of a running check may reach the window again.
    delete UpdateDialogs;
    // The children go after this destructor: none may call a slot of it then.
    disconnect(ui->DefaultLocal8BitCharset_ComboBox, nullptr, this, nullptr);
    disconnect(ResultContentCharset_ComboBox, nullptr, this, nullptr);
    disconnect(ui->FilesFound_TableWidget, nullptr, this, nullptr);
    delete FilesTableActions;
    delete ui;
    ui = nullptr;
}

void CLintra::SetToolTips()
{
    ui->DefaultLocal8BitCharset_ComboBox->setToolTip(
        tr("<html><body><font face=\"verdana\">The value of this field is auto-detected at program start-up "
           "time. In case it is inaccurate, <font color=\"red\">please kindly post us your "
           "(language_territory, charset) pair</font>, thanks. The value is the 8-bit or multi-byte charset "
           "used by the OS to store non-Ascii text. This field is only FYI.</font></body></html>"));
    ui->Dir2Search_ComboBox->setToolTip(
        tr("<html><body><font face=\"verdana\">Please note:<ul><li>Sub-directories are processed "
           "recursively;</li><li>When doing full-text search, only plain text files such as .txt/.html are "
           "processed; others including .doc/.pdf are ignored;</li><li>BOM and some other means are used "
           "together to determine the encoding of a saved file. Unrecognized ones are taken as the default "
           "local charset.</li></ul></font></body></html>"));
    ui->Keywords2Search_ComboBox->setToolTip(
        tr("<html><body><font face=\"verdana\">Multi-keyword input separated by space(s) is allowed. The "
           "effect is always AND. Case-insensitive. Punctuals are NOT filtered since sometimes we do want to "
           "find a word ending with a particular punctual.<br /><br />Keywords can be in whatever languages, "
           "including Chinese, French, German, Russian, Arabian, Hebrew, Japanese, Korean, as long as the "
           "computer supports the input into the system.</font></body></html>"));
    ui->DoFilenameSearch_PushButton->setToolTip(
        tr("<html><body><font face=\"verdana\">When matching filename, search is <font color=\"red\">not "
           "limited to plain-text files</font>.</font></body></html>"));
    ui->DoFullTextSearch_PushButton->setToolTip(
        tr("<html><body><font face=\"verdana\">When doing full-text search, <font color=\"red\">only "
           "plain-text files</font> are checked.</font></body></html>"));
    ui->ExitProgram_PushButton->setToolTip(
        tr("<html><body><font face=\"verdana\">Exit this running program.</font></body></html>"));
    const QString radioToolTip = tr(
        "<html><body><font face=\"verdana\">These two radion buttons take effect only in the case of "
        "single-keyword full-text search. In the case of multiple-keyword full-text search, "
        "match-whole-word is always assumed. In the case of filename search, match-substring is always "
        "assumed, no matter single-keyword or multiple-keyword.<br /><br />Exception: In languages such as "
        "Chinese where words are not separated by spaces, the actual effect is always match-substring. If "
        "the way the program works does not handle your characters and text well, <font color=\"red\">please "
        "keep us informed of the characteristics of your language: locale name, default multi-byte charset "
        "if there is, and if words are separated by spaces</font>. Thank you!</font></body></html>");
    ui->MatchWholeWord_RadioButton->setToolTip(radioToolTip);
    ui->MatchSubstring_RadioButton->setToolTip(radioToolTip);
}

// The local charset and whether words are separated by spaces follow the locale.
void CLintra::DetectLocale(const QString &localeName)
{
    BuildAvailableCodecs();
    SystemLocaleName = localeName;
    UnmarkedCharset = CUnmarkedTextCharset(QTextCodec::codecForLocale(), SystemLocaleName,
                                           CSettingsBinding::LoadLegacyCharsetName());
    DetectLocalCharset();
    ui->DefaultLocal8BitCharset_ComboBox->setEnabled(false);
    connect(ui->DefaultLocal8BitCharset_ComboBox, QOverload<int>::of(&QComboBox::activated), this,
            &CLintra::UpdateSelectedCharsetMib);
}

// The heading above the content pane, with the charset the pane reads in.
void CLintra::CreateResultContentHeading()
{
    ResultContentHeader_Label = new QLabel();
    ResultContentHeader_Label->setObjectName(QStringLiteral("ResultContentHeader_Label"));
    ui->ResultContentHeader_HorizontalLayout->addWidget(ResultContentHeader_Label, 0, Qt::AlignLeft);
    ResultContentCharset_ComboBox = new QComboBox();
    ResultContentCharset_ComboBox->setObjectName(QStringLiteral("ResultContentCharset_ComboBox"));
    ResultContentCharset_ComboBox->hide();
    ui->ResultContentHeader_HorizontalLayout->addWidget(ResultContentCharset_ComboBox, 1, Qt::AlignRight);
    PopulateResultContentCharsets();
    NameResultContentCharset(ResultContentCharset_ComboBox);
    ResultContentHeader_Label->setBuddy(ResultContentCharset_ComboBox);
    // The charset belongs to the content pane: the keyboard meets it just before.
    setTabOrder(ui->FilesFound_TableWidget, ResultContentCharset_ComboBox);
    setTabOrder(ResultContentCharset_ComboBox, ui->FileContent_TextEdit);
    connect(ResultContentCharset_ComboBox, QOverload<int>::of(&QComboBox::activated), this,
            &CLintra::UpdateResultFileContent);
}

void CLintra::CreateResultViewer()
{
    ui->FileContent_TextEdit->setReadOnly(true);
    connect(ui->FileContent_TextEdit, &CContentEdit::PreviousBlockRequested, this,
            &CLintra::GotoContentEditPreviousBlock);
    connect(ui->FileContent_TextEdit, &CContentEdit::NextBlockRequested, this,
            &CLintra::GotoContentEditNextBlock);
    DefaultCharFormat = ui->FileContent_TextEdit->currentCharFormat();
    ResultViewer =
        new CResultViewer(ui->FileContent_TextEdit, ResultContentCharset_ComboBox,
                          {ui->FilesFound_TableWidget, ui->FileContent_TextEdit}, UnmarkedCharset, this);
    ResultViewer->setObjectName(QStringLiteral("ResultViewer"));
    connect(ResultViewer, &CResultViewer::MessageRequested, this, &CLintra::ShowMessage);
    connect(ui->FileContent_TextEdit, &CContentEdit::PreviousMatchRequested, ResultViewer,
            &CResultViewer::PreviousMatch);
    connect(ui->FileContent_TextEdit, &CContentEdit::NextMatchRequested, ResultViewer,
            &CResultViewer::NextMatch);
}

void CLintra::CreateControllers(const CLintraEnvironment &environment)
{
    SearchDriver =
        new CSearchDriver(this, ui, {ResultContentHeader_Label, ResultContentCharset_ComboBox, ResultViewer},
                          SystemLocaleName, UnmarkedCharset);
    FilesTableActions = new CFilesTableActions(this, ui, WindowTitle);
    UpdateDialogs = new CUpdateDialogs(environment.UpdateCheck, this);
    SysTray = new CSysTray(this, environment.SystemTrayAvailable);
    connect(SearchDriver, &CSearchDriver::SummaryChanged, SysTray, &CSysTray::SetSearchSummary);
    connect(SysTray, &CSysTray::SaveRequested, this, [this] { SaveSettings(); });
    connect(SysTray, &CSysTray::QuitRequested, this, &CLintra::Quit);
    Settings = new CSettingsBinding(this, ui, {SysTray, SearchDriver, UpdateDialogs});
}

void CLintra::ConnectResultsTable()
{
    // After its own actions. After a search the keyboard is on the results: the pane's keys act on the file
    // on show from there too.
    ui->FilesFound_TableWidget->addActions(ui->FileContent_TextEdit->MatchActions +
                                           ui->FileContent_TextEdit->BlockActions);
    connect(ui->FilesFound_TableWidget, &CResultsTable::itemSelectionChanged, this,
            &CLintra::OnItemSelectionChanged);
    connect(ui->FilesFound_TableWidget, &CResultsTable::customContextMenuRequested, this,
            &CLintra::ShowFilesTableContextMenu);
    // A matching line shows its file at that line.
    connect(ui->FilesFound_TableWidget->Lines(), &CResultLines::LineChosen, this,
            [this](int row, qint64 line) { ShowResultRow(row, line); });
    // Sorting moves the shown file's row, not the file shown.
    connect(ui->FilesFound_TableWidget->model(), &QAbstractItemModel::layoutChanged, this, [this] {
        if (ResultViewer->RowOnShow() >= 0)
            ResultViewer->RowMoved(ui->FilesFound_TableWidget->currentRow());
    });
}

void CLintra::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    // The form's texts leave the title, the notice and the status line empty.
    // A search's progress or summary stays; the ready text follows the language.
    const QString status = ui->SearchingProgressStatus_Label->text();
    ui->retranslateUi(this);
    NameResultContentCharset(ResultContentCharset_ComboBox);
    SetTitleAndNotice();
    const bool ready = status.isEmpty() || status == ReadyText;
    ReadyText = tr("Ready to do the Unicode full text search...");
    ui->SearchingProgressStatus_Label->setText(ready ? ReadyText : status);
    FitControlRowsToWindow(this, ui);
}

void CLintra::SetTitleAndNotice()
{
    WindowTitle = tr("Lintra - Norvane [Unicode Plain-Text File Full-Text Search Tool] Freeware");
    setWindowTitle(WindowTitle);
    if (FilesTableActions)
        FilesTableActions->SetBoxTitle(WindowTitle);
    ui->CopyrightInfo_TextBrowser->setHtml(
        tr("<html><body><font face=\"verdana\" style=\"font-size:8pt\">Copyright &copy; 2010 "
           "<a href=\"%1\">Norvane</a>. Freeware.</font> <a href=\"%2\">Online documentation</a>"
           "</body></html>")
            .arg(QLatin1String(MakerWebSite), QLatin1String(ProductDocumentationPage)));
}

void CLintra::PopulateResultContentCharsets()
{
    ResultContentCharset_ComboBox->clear();
    for (QTextCodec *codec : qAsConst(AvailableCodecs))
        ResultContentCharset_ComboBox->addItem(QIcon(), CodecEntryName(codec), codec->mibEnum());
    ResultContentCharset_ComboBox->setEnabled(false);
}

void CLintra::SaveSettings(bool userPresent)
{
    Settings->SaveSettings(userPresent);
}

QString CLintra::SettingsNotice() const
{
    return Settings->SettingsNotice();
}
