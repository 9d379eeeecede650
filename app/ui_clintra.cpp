#include "app/ui_clintra.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/formaccessibility.h"
#include "platform/runningplatform.h"
#include "viewer/ccontentedit.h"

namespace {

const int MaxExtent = 16777215; // QWIDGETSIZE_MAX

QSpacerItem *NewRowSpacer(int height = 20)
{
    return new QSpacerItem(40, height, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

// A history box as wide as the window gives it, whatever its entries hold:
// a long keyword text must not widen the window.
void KeepHistoryBoxNarrow(QComboBox *box)
{
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

template <typename T> T *NewWidget(QWidget *parent, const char *objectName)
{
    T *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("CLintra", text);
}

// The box and the field inside it, which has the focus while one types.
void NameEditableComboBox(QComboBox *box, const QString &name)
{
    box->setAccessibleName(name);
    if (QLineEdit *field = box->lineEdit())
        field->setAccessibleName(name);
}

} // namespace

void Ui_CLintra::setupUi(QWidget *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QString::fromLatin1("CLintra"));
    window->resize(681, 552);
    QFont font;
    font.setFamily(QString::fromLatin1("Verdana"));
    window->setFont(font);
    window->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    InstallFormAccessibility();

    // Drawn at x 20, y 20 with even margins; FitMainWindowToTexts then fits
    // the window round it.
    verticalLayoutWidget = NewWidget<QWidget>(window, "verticalLayoutWidget");
    verticalLayoutWidget->setGeometry(QRect(20, 20, 641, 512));
    MainFrame_VerticalLayout = new QVBoxLayout(verticalLayoutWidget);
    MainFrame_VerticalLayout->setSpacing(6);
    MainFrame_VerticalLayout->setObjectName(QString::fromLatin1("MainFrame_VerticalLayout"));
    MainFrame_VerticalLayout->setContentsMargins(0, 0, 0, 0);

    SetUpCharsetRow();
    horizontalSpacer = NewRowSpacer();
    MainFrame_VerticalLayout->addItem(horizontalSpacer);
    SetUpInputZone();
    // Less room round the version row: the row of search scope took it, and
    // the window still fits a small screen.
    horizontalSpacer_2 = NewRowSpacer(3);
    MainFrame_VerticalLayout->addItem(horizontalSpacer_2);
    SetUpVersionRow();
    horizontalSpacer_3 = NewRowSpacer(3);
    MainFrame_VerticalLayout->addItem(horizontalSpacer_3);
    SetUpOutputZone();

    // Screen readers take a field's label from its buddy ("labelled by").
    Local8Bit_Label->setBuddy(DefaultLocal8BitCharset_ComboBox);
    Dir2Search_Label->setBuddy(Dir2Search_ComboBox);
    Keywords2Search_Label->setBuddy(Keywords2Search_ComboBox);
    SearchingProgressBar_Label->setBuddy(Searching_ProgressBar);
    FilesFound_Label->setBuddy(FilesFound_TableWidget);
    // Tab leaves the results for the next control; the arrow keys move between rows.
    FilesFound_TableWidget->setTabKeyNavigation(false);

    retranslateUi(window);
    QMetaObject::connectSlotsByName(window);
}

void Ui_CLintra::SetUpCharsetRow()
{
    LocalCharset_HorizontalLayout = new QHBoxLayout();
    LocalCharset_HorizontalLayout->setSpacing(6);
    LocalCharset_HorizontalLayout->setObjectName(QString::fromLatin1("LocalCharset_HorizontalLayout"));
    Local8Bit_Label = NewWidget<QLabel>(verticalLayoutWidget, "Local8Bit_Label");
    LocalCharset_HorizontalLayout->addWidget(Local8Bit_Label);
    DefaultLocal8BitCharset_ComboBox =
        NewWidget<QComboBox>(verticalLayoutWidget, "DefaultLocal8BitCharset_ComboBox");
    DefaultLocal8BitCharset_ComboBox->setMaximumSize(QSize(190, MaxExtent));
    LocalCharset_HorizontalLayout->addWidget(DefaultLocal8BitCharset_ComboBox);
    MainFrame_VerticalLayout->addLayout(LocalCharset_HorizontalLayout);
    MainFrame_VerticalLayout->setAlignment(LocalCharset_HorizontalLayout, Qt::AlignLeft);
}

void Ui_CLintra::SetUpInputZone()
{
    QWidget *parent = verticalLayoutWidget;
    InputZone_GridLayout = new QGridLayout();
    InputZone_GridLayout->setSpacing(6);
    InputZone_GridLayout->setObjectName(QString::fromLatin1("InputZone_GridLayout"));

    Dir2Search_Label = NewWidget<QLabel>(parent, "Dir2Search_Label");
    Dir2Search_Label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    InputZone_GridLayout->addWidget(Dir2Search_Label, 0, 0, 1, 1);
    Dir2Search_ComboBox = NewWidget<QComboBox>(parent, "Dir2Search_ComboBox");
    Dir2Search_ComboBox->setEditable(true);
    KeepHistoryBoxNarrow(Dir2Search_ComboBox);
    InputZone_GridLayout->addWidget(Dir2Search_ComboBox, 0, 2, 1, 1);
    BrowseDir_ToolButton = NewWidget<QToolButton>(parent, "BrowseDir_ToolButton");
    BrowseDir_ToolButton->setMinimumSize(QSize(0, 23));
    BrowseDir_ToolButton->setMaximumSize(QSize(MaxExtent, MaxExtent));
    InputZone_GridLayout->addWidget(BrowseDir_ToolButton, 0, 3, 1, 1);

    Keywords2Search_Label = NewWidget<QLabel>(parent, "Keywords2Search_Label");
    InputZone_GridLayout->addWidget(Keywords2Search_Label, 2, 0, 1, 1);
    Keywords2Search_ComboBox = NewWidget<QComboBox>(parent, "Keywords2Search_ComboBox");
    Keywords2Search_ComboBox->setEditable(true);
    KeepHistoryBoxNarrow(Keywords2Search_ComboBox);
    InputZone_GridLayout->addWidget(Keywords2Search_ComboBox, 2, 2, 1, 1);
    DoFilenameSearch_PushButton = NewWidget<QPushButton>(parent, "DoFilenameSearch_PushButton");
    DoFilenameSearch_PushButton->setMinimumSize(QSize(0, 23));
    InputZone_GridLayout->addWidget(DoFilenameSearch_PushButton, 2, 3, 1, 1);

    horizontalLayout = new QHBoxLayout();
    horizontalLayout->setSpacing(6);
    horizontalLayout->setObjectName(QString::fromLatin1("horizontalLayout"));
    MatchWholeWord_RadioButton = NewWidget<QRadioButton>(parent, "MatchWholeWord_RadioButton");
    horizontalLayout->addWidget(MatchWholeWord_RadioButton);
    MatchSubstring_RadioButton = NewWidget<QRadioButton>(parent, "MatchSubstring_RadioButton");
    horizontalLayout->addWidget(MatchSubstring_RadioButton);
    InputZone_GridLayout->addLayout(horizontalLayout, 3, 2, 1, 1);
    DoFullTextSearch_PushButton = NewWidget<QPushButton>(parent, "DoFullTextSearch_PushButton");
    DoFullTextSearch_PushButton->setMinimumSize(QSize(0, 23));
    InputZone_GridLayout->addWidget(DoFullTextSearch_PushButton, 3, 3, 1, 1);

    SetUpScopeRow(parent);

    SearchingProgressBar_Label = NewWidget<QLabel>(parent, "SearchingProgressBar_Label");
    InputZone_GridLayout->addWidget(SearchingProgressBar_Label, 5, 0, 1, 1);
    Searching_ProgressBar = NewWidget<QProgressBar>(parent, "Searching_ProgressBar");
    Searching_ProgressBar->setValue(0);
    // As wide as the other fields of its column, not wider in a wide window.
    Searching_ProgressBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    InputZone_GridLayout->addWidget(Searching_ProgressBar, 5, 2, 1, 1);
    CancelSearch_PushButton = NewWidget<QPushButton>(parent, "CancelSearch_PushButton");
    CancelSearch_PushButton->setMinimumSize(QSize(0, 23));
    InputZone_GridLayout->addWidget(CancelSearch_PushButton, 5, 3, 1, 1);

    SearchingProgressStatus_Label = NewWidget<QLabel>(parent, "SearchingProgressStatus_Label");
    // Beside the summary: what the search could not read, a click away; hidden when nothing.
    SearchUnread_Label = NewWidget<QLabel>(parent, "SearchUnread_Label");
    SearchUnread_Label->hide();
    SearchStatus_HorizontalLayout = new QHBoxLayout();
    SearchStatus_HorizontalLayout->setSpacing(6);
    SearchStatus_HorizontalLayout->addWidget(SearchingProgressStatus_Label, 1);
    SearchStatus_HorizontalLayout->addWidget(SearchUnread_Label);
    InputZone_GridLayout->addLayout(SearchStatus_HorizontalLayout, 6, 2, 1, 1);
    ExitProgram_PushButton = NewWidget<QPushButton>(parent, "ExitProgram_PushButton");
    ExitProgram_PushButton->setMinimumSize(QSize(0, 23));
    InputZone_GridLayout->addWidget(ExitProgram_PushButton, 6, 3, 1, 1);

    // The fields take what a larger window adds: a path is read whole.
    InputZone_GridLayout->setColumnStretch(2, 1);
    MainFrame_VerticalLayout->addLayout(InputZone_GridLayout);
}

// What a search walks into: hidden entries, and folders it leaves out. One
// compact row under the keyword box, reaching under the buttons beside it.
void Ui_CLintra::SetUpScopeRow(QWidget *parent)
{
    SearchScope_HorizontalLayout = new QHBoxLayout();
    SearchScope_HorizontalLayout->setSpacing(6);
    SearchScope_HorizontalLayout->setObjectName(QString::fromLatin1("SearchScope_HorizontalLayout"));
    IncludeHidden_CheckBox = NewWidget<QCheckBox>(parent, "IncludeHidden_CheckBox");
    SearchScope_HorizontalLayout->addWidget(IncludeHidden_CheckBox);
    SkipFolders_Label = NewWidget<QLabel>(parent, "SkipFolders_Label");
    SearchScope_HorizontalLayout->addWidget(SkipFolders_Label);
    SkipFolders_ComboBox = NewWidget<QComboBox>(parent, "SkipFolders_ComboBox");
    SkipFolders_ComboBox->setEditable(true);
    KeepHistoryBoxNarrow(SkipFolders_ComboBox);
    SkipFolders_ComboBox->setMinimumContentsLength(6);
    SearchScope_HorizontalLayout->addWidget(SkipFolders_ComboBox, 1);
    SkipFolders_Label->setBuddy(SkipFolders_ComboBox);
    InputZone_GridLayout->addLayout(SearchScope_HorizontalLayout, 4, 2, 1, 2);
}

void Ui_CLintra::SetUpVersionRow()
{
    QWidget *parent = verticalLayoutWidget;
    VersionInfo_HorizontalLayout = new QHBoxLayout();
    VersionInfo_HorizontalLayout->setSpacing(6);
    VersionInfo_HorizontalLayout->setObjectName(QString::fromLatin1("VersionInfo_HorizontalLayout"));
    VersionInfo_HorizontalLayout->setSizeConstraint(QLayout::SetDefaultConstraint);

    CopyrightInfo_TextBrowser = NewWidget<QTextBrowser>(parent, "CopyrightInfo_TextBrowser");
    CopyrightInfo_TextBrowser->setEnabled(true);
    // As wide as its row gives it (see FitControlRowsToWindow), not as the window.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(28);
    policy.setHeightForWidth(CopyrightInfo_TextBrowser->sizePolicy().hasHeightForWidth());
    CopyrightInfo_TextBrowser->setSizePolicy(policy);
    CopyrightInfo_TextBrowser->setMinimumSize(QSize(0, 28));
    CopyrightInfo_TextBrowser->setMaximumSize(QSize(MaxExtent, MaxExtent));
    CopyrightInfo_TextBrowser->setBaseSize(QSize(0, 1));
    QFont small;
    small.setPointSize(9);
    CopyrightInfo_TextBrowser->setFont(small);
    CopyrightInfo_TextBrowser->setContextMenuPolicy(Qt::NoContextMenu);
    CopyrightInfo_TextBrowser->setAutoFillBackground(false);
    // A white box without a frame: a horizontal line would show a dot at each end.
    CopyrightInfo_TextBrowser->setFrameShape(QFrame::NoFrame);
    CopyrightInfo_TextBrowser->setFrameShadow(QFrame::Plain);
    CopyrightInfo_TextBrowser->setOpenLinks(true);
    CopyrightInfo_TextBrowser->setOpenExternalLinks(true);
    VersionInfo_HorizontalLayout->addWidget(CopyrightInfo_TextBrowser);

    About_PushButton = NewWidget<QPushButton>(parent, "About_PushButton");
    About_PushButton->setMinimumSize(QSize(0, 23));
    VersionInfo_HorizontalLayout->addWidget(About_PushButton);
    CheckUpdates_PushButton = NewWidget<QPushButton>(parent, "CheckUpdates_PushButton");
    CheckUpdates_PushButton->setMinimumSize(QSize(0, 23));
    CheckUpdates_PushButton->setMaximumSize(QSize(MaxExtent, MaxExtent));
    VersionInfo_HorizontalLayout->addWidget(CheckUpdates_PushButton);

    MainFrame_VerticalLayout->addLayout(VersionInfo_HorizontalLayout);
    MainFrame_VerticalLayout->setAlignment(VersionInfo_HorizontalLayout, Qt::AlignLeft);
}

void Ui_CLintra::SetUpOutputZone()
{
    QWidget *parent = verticalLayoutWidget;
    OutputZone_GridLayout = new QGridLayout();
    OutputZone_GridLayout->setSpacing(6);
    OutputZone_GridLayout->setObjectName(QString::fromLatin1("OutputZone_GridLayout"));

    FilesFound_Label = NewWidget<QLabel>(parent, "FilesFound_Label");
    OutputZone_GridLayout->addWidget(FilesFound_Label, 0, 0, 1, 1);
    ResultContentHeader_HorizontalLayout = new QHBoxLayout();
    ResultContentHeader_HorizontalLayout->setSpacing(6);
    ResultContentHeader_HorizontalLayout->setObjectName(
        QString::fromLatin1("ResultContentHeader_HorizontalLayout"));
    OutputZone_GridLayout->addLayout(ResultContentHeader_HorizontalLayout, 0, 2, 1, 1);

    FilesFound_TableWidget = new CResultsTable(RunningPlatform == Windows, parent);
    FilesFound_TableWidget->setObjectName(QString::fromLatin1("FilesFound_TableWidget"));
    QFont verdana;
    verdana.setFamily(QString::fromLatin1("Verdana"));
    FilesFound_TableWidget->setFont(verdana);
    FilesFound_TableWidget->setGridStyle(Qt::DashLine);
    OutputZone_GridLayout->addWidget(FilesFound_TableWidget, 1, 0, 1, 1);

    FileContent_TextEdit = NewWidget<CContentEdit>(parent, "FileContent_TextEdit");
    FileContent_TextEdit->setEnabled(true);
    OutputZone_GridLayout->addWidget(FileContent_TextEdit, 1, 2, 1, 1);

    // A larger window widens the results more than the pane: a row needs
    // its path, size and date side by side.
    OutputZone_GridLayout->setColumnStretch(0, 3);
    OutputZone_GridLayout->setColumnStretch(2, 2);
    MainFrame_VerticalLayout->addLayout(OutputZone_GridLayout);
}

void Ui_CLintra::retranslateUi(QWidget *window)
{
    window->setWindowTitle(QString());
    Local8Bit_Label->setText(Tr("Default Local Charset"));
    Keywords2Search_Label->setText(Tr("&Keyword(s)"));
    DoFilenameSearch_PushButton->setText(Tr("File&name Search"));
    Dir2Search_Label->setText(Tr("&Directory"));
    BrowseDir_ToolButton->setText(Tr("&Browse..."));
    SearchingProgressBar_Label->setText(Tr("Progress"));
    CancelSearch_PushButton->setText(Tr("&Cancel the Search"));
    SearchingProgressStatus_Label->setText(QString());
    MatchWholeWord_RadioButton->setText(Tr("Match &Whole Word"));
    MatchSubstring_RadioButton->setText(Tr("Match &Substring"));
    IncludeHidden_CheckBox->setText(Tr("Include &hidden files and folders"));
    SkipFolders_Label->setText(Tr("Skip f&olders"));
    DoFullTextSearch_PushButton->setText(Tr("Full &Text Search"));
    ExitProgram_PushButton->setText(Tr("E&xit Norvane Lintra"));
    CopyrightInfo_TextBrowser->setHtml(Tr(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
        "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
        "p, li { white-space: pre-wrap; }\n"
        "</style></head><body style=\" font-family:'Verdana'; font-size:9pt; font-weight:400; "
        "font-style:normal;\">\n"
        "<p style=\"-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; "
        "margin-right:0px; -qt-block-indent:0; text-indent:0px;\"></p></body></html>"));
    About_PushButton->setText(Tr("&About..."));
    CheckUpdates_PushButton->setText(Tr("Check &Updates"));
    FilesFound_Label->setText(Tr("&Result Files"));
    RetranslateAccessibleNames();
}

// What a screen reader says for each control: the text of the label beside
// it, as translated, or what it holds where no label shows that. Buttons and
// radio buttons are named by their own texts.
void Ui_CLintra::RetranslateAccessibleNames()
{
    DefaultLocal8BitCharset_ComboBox->setAccessibleName(Tr("Default Local Charset"));
    NameEditableComboBox(Dir2Search_ComboBox, Tr("Directory"));
    NameEditableComboBox(Keywords2Search_ComboBox, Tr("Keyword(s)"));
    NameEditableComboBox(SkipFolders_ComboBox, Tr("Skip folders"));
    SkipFolders_ComboBox->setAccessibleDescription(
        Tr("Names of folders not to search, separated by blanks or commas; * and ? as wildcards"));
    Searching_ProgressBar->setAccessibleName(Tr("Progress"));
    CopyrightInfo_TextBrowser->setAccessibleName(Tr("Copyright Notice"));
    FilesFound_TableWidget->setAccessibleName(Tr("Result Files"));
    FilesFound_TableWidget->setAccessibleDescription(
        Tr("The files found: path, size in KB and last modified time"));
    FileContent_TextEdit->setAccessibleName(Tr("File Content"));
    FileContent_TextEdit->setAccessibleDescription(
        Tr("The selected result file, with the keywords highlighted"));
}
