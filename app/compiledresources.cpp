#include "app/compiledresources.h"

#include <QtGlobal>

void InitCompiledResources()
{
    // resources/lintra.qrc
    Q_INIT_RESOURCE(lintra);
}
