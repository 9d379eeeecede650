// The About box. (Filled in with the update work.)

#include "app/clintra.h"

void CLintra::on_About_PushButton_clicked() {}
