#ifndef LINTRA_VERSIONSTAMP_H
#define LINTRA_VERSIONSTAMP_H

// The version stamp, fixed at build time, and the maker's addresses.
extern const char ProgramVersion[]; // the project version, "major.minor"
extern const char ProgramBuild[];   // the release date as yyyyMMdd

extern const char MakerName[];    // "Norvane"
extern const char MakerDomain[];  // the organisation domain of the settings store
extern const char MakerWebSite[]; // the maker's home page
extern const char ProductDocumentationPage[];
extern const char MakerDownloadPage[]; // where a newer version is fetched from

#endif
