#include "update/core/versionstamp.h"

const char ProgramVersion[] = "0.107";
const char ProgramBuild[] = "20100610";

const char MakerName[] = "Norvane";
const char MakerDomain[] = "norvane.example";
const char MakerWebSite[] = "http://www.norvane.example/";
const char ProductDocumentationPage[] = "http://www.norvane.example/products/desktop/lintra/";
const char MakerDownloadPage[] = "http://www.norvane.example/downloads/";
