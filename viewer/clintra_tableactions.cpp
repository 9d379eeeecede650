// The main window's part of the results table's context menu.
// (Filled in with the viewer work.)

#include "app/clintra.h"
#include "app/ui_clintra.h"

void CLintra::CopyFilePath() {}
void CLintra::OpenContainingFolder() {}
void CLintra::ShowFilesTableContextMenu(QPoint) {}
void CLintra::CreateFilesTableActions() {}
void CLintra::DestroyFilesTableActions() {}
void CLintra::DisconnectFilesTableSignals() {}
