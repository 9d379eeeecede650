// The main window's search slots, handed over to the search driver.

#include "app/clintra.h"

#include "search/csearchdriver.h"

void CLintra::on_DoFilenameSearch_PushButton_clicked()
{
    SearchDriver->SearchFilenames();
}

void CLintra::on_DoFullTextSearch_PushButton_clicked()
{
    SearchDriver->SearchFullText();
}

void CLintra::on_MatchWholeWord_RadioButton_clicked()
{
    SearchDriver->MatchWholeWords(true);
}

void CLintra::on_MatchSubstring_RadioButton_clicked()
{
    SearchDriver->MatchWholeWords(false);
}

void CLintra::on_CancelSearch_PushButton_clicked()
{
    SearchDriver->Cancel();
}

bool CLintra::SearchRunning() const
{
    return SearchDriver->SearchRunning();
}

void CLintra::OnKeywordsComboBoxCarriageReturn(QString s, TEnumSearchWhat e)
{
    SearchDriver->OnKeywordsComboBoxCarriageReturn(s, e);
}

void CLintra::OnPathComboBoxCarriageReturn(QString s)
{
    SearchDriver->OnPathComboBoxCarriageReturn(s);
}

void CLintra::ShowStartDirectory(const QString &directory)
{
    SearchDriver->ShowStartDirectory(directory);
}

void CLintra::ClearResult()
{
    SearchDriver->ClearResult();
}

void CLintra::on_BrowseDir_ToolButton_clicked()
{
    SearchDriver->BrowseDirectory();
}

void CLintra::AddResultRows(const QStringList &paths, TEnumSearchWhat what)
{
    SearchDriver->AddResultRows(paths, what);
}
