#include "update/core/versionstamp.h"

#include "update/core/versionnumbers.h"

const char ProgramVersion[] = LINTRA_VERSION;
const char ProgramBuild[] = LINTRA_BUILD_STAMP;

const char MakerName[] = "Norvane";
const char MakerDomain[] = "norvane.example";
const char MakerWebSite[] = "http://www.norvane.example/";
const char ProductDocumentationPage[] = "http://www.norvane.example/products/desktop/lintra/";
const char MakerDownloadPage[] = "http://www.norvane.example/downloads/";
