// The main window's part of the result viewer: loading, paging, decoding.
// (Filled in with the viewer work.)

#include "app/clintra.h"
#include "app/ui_clintra.h"

void CLintra::OnItemSelectionChanged() {}
void CLintra::OnItemClicked(QTableWidgetItem *) {}
void CLintra::UpdateResultFileContent() {}
void CLintra::GotoContentEditPreviousBlock() {}
void CLintra::GotoContentEditNextBlock() {}
void CLintra::ShowResultRow(int) {}
void CLintra::ShowMatchedFilename(int, const QStringList &) {}
void CLintra::LoadResultFile(int, const QStringList &) {}
QString CLintra::DecodeResultBytes(const QByteArray &, TEnumTextEncoding, int, QComboBox *) { return QString(); }
bool CLintra::LoadKnownBlock(const QString &, TEnumTextEncoding, int, QString &) { return false; }
bool CLintra::LoadPreviousBlock(const QString &, TEnumTextEncoding, int, QString &) { return false; }
bool CLintra::LoadNextBlock(const QString &, TEnumTextEncoding, int, QString &) { return false; }
void CLintra::ShowContentWithHighlights(const QStringList &, const QStringList &, const QString &) {}
bool CLintra::ContainsAnyKeyword(const QStringList &, const QString &) const { return false; }
