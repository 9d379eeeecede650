// The main window's settings: loaded once at construction, saved on hiding
// and quitting. (Filled in with the settings work.)

#include "app/clintra.h"
#include "app/ui_clintra.h"

void CLintra::LoadSettings() {}
void CLintra::SaveSettings() {}
