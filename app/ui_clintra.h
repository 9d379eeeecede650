#ifndef LINTRA_UI_CLINTRA_H
#define LINTRA_UI_CLINTRA_H

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "search/cresultstable.h"
#include "viewer/ccontentedit.h"

// The main window's form: one pointer per widget, layout and spacer, named by
// object name. The widgets belong to the window; this object only points.
// Its texts are the window's, translated in the context "CLintra" by the Tr()
// of ui_clintra.cpp; the declaration below gives lupdate that context (it
// reads Tr() as tr(), see scripts/lib.sh).
class Ui_CLintra
{
    Q_DECLARE_TR_FUNCTIONS(CLintra)

public:
    QWidget *verticalLayoutWidget = nullptr;
    QVBoxLayout *MainFrame_VerticalLayout = nullptr;
    QHBoxLayout *LocalCharset_HorizontalLayout = nullptr;
    QLabel *Local8Bit_Label = nullptr;
    QComboBox *DefaultLocal8BitCharset_ComboBox = nullptr;
    QSpacerItem *horizontalSpacer = nullptr;
    QGridLayout *InputZone_GridLayout = nullptr;
    QLabel *Dir2Search_Label = nullptr;
    QComboBox *Dir2Search_ComboBox = nullptr;
    QToolButton *BrowseDir_ToolButton = nullptr;
    QLabel *Keywords2Search_Label = nullptr;
    QComboBox *Keywords2Search_ComboBox = nullptr;
    QPushButton *DoFilenameSearch_PushButton = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QRadioButton *MatchWholeWord_RadioButton = nullptr;
    QRadioButton *MatchSubstring_RadioButton = nullptr;
    QPushButton *DoFullTextSearch_PushButton = nullptr;
    QHBoxLayout *SearchScope_HorizontalLayout = nullptr;
    QCheckBox *IncludeHidden_CheckBox = nullptr;
    QLabel *SkipFolders_Label = nullptr;
    QComboBox *SkipFolders_ComboBox = nullptr;
    QLabel *SearchingProgressBar_Label = nullptr;
    QProgressBar *Searching_ProgressBar = nullptr;
    QPushButton *CancelSearch_PushButton = nullptr;
    QLabel *SearchingProgressStatus_Label = nullptr;
    QLabel *SearchUnread_Label = nullptr;
    QHBoxLayout *SearchStatus_HorizontalLayout = nullptr;
    QPushButton *ExitProgram_PushButton = nullptr;
    QSpacerItem *horizontalSpacer_2 = nullptr;
    QHBoxLayout *VersionInfo_HorizontalLayout = nullptr;
    QTextBrowser *CopyrightInfo_TextBrowser = nullptr;
    QPushButton *About_PushButton = nullptr;
    QPushButton *CheckUpdates_PushButton = nullptr;
    QSpacerItem *horizontalSpacer_3 = nullptr;
    QGridLayout *OutputZone_GridLayout = nullptr;
    QLabel *FilesFound_Label = nullptr;
    QHBoxLayout *ResultContentHeader_HorizontalLayout = nullptr;
    CResultsTable *FilesFound_TableWidget = nullptr;
    CContentEdit *FileContent_TextEdit = nullptr;

    void setupUi(QWidget *window);
    void retranslateUi(QWidget *window);

private:
    void SetUpCharsetRow();
    void SetUpInputZone();
    void SetUpScopeRow(QWidget *parent);
    void SetUpVersionRow();
    void SetUpOutputZone();
    void RetranslateAccessibleNames();
};

#endif
