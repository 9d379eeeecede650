// The main window's part of the search: query, walk, scans, driver, table.
// (Filled in with the search work.)

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QDir>

void CLintra::on_DoFullTextSearch_PushButton_clicked() {}
void CLintra::on_BrowseDir_ToolButton_clicked() {}
void CLintra::on_CancelSearch_PushButton_clicked() { CancelRequested = true; }
void CLintra::on_DoFilenameSearch_PushButton_clicked() {}
void CLintra::on_MatchWholeWord_RadioButton_clicked() { MatchWholeWord = true; }
void CLintra::on_MatchSubstring_RadioButton_clicked() { MatchWholeWord = false; }
void CLintra::OnPathComboBoxCarriageReturn(QString) {}
void CLintra::OnKeywordsComboBoxCarriageReturn(QString, TEnumSearchWhat) {}
void CLintra::ClearResult() {}
int CLintra::CountKeywords(const QString &) const { return 0; }
QStringList CLintra::ParseKeywords(const QString &) { return QStringList(); }
QStringList CLintra::WalkDirectory(const QDir &, const QStringList &, TEnumSearchWhat) { return QStringList(); }
QStringList CLintra::ScanFileNames(const QDir &, const QStringList &, const QStringList &) { return QStringList(); }
QStringList CLintra::ScanFileContents(const QDir &, const QStringList &, const QStringList &) { return QStringList(); }
void CLintra::SetUpResultsTable() {}
void CLintra::AddResultRows(const QStringList &) {}
