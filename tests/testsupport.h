#ifndef LINTRA_TESTSUPPORT_H
#define LINTRA_TESTSUPPORT_H

#include <QByteArray>
#include <QString>

// Shared by every test executable. Linking it points XDG_CONFIG_HOME at a
// fresh temporary folder before main() runs, so no test ever reads or writes
// the real user's settings, and picks the offscreen platform unless the test
// is run with another one. (A window built without an update configuration
// asks nowhere, so no automatic check leaves the machine.)

// The temporary folder that holds this process's settings store.
QString TestConfigHome();

// Path of the settings file of the program under TestConfigHome().
QString TestSettingsFile();

// Removes the settings store, so that the next window starts as on a first run.
void ResetTestSettings();

// Writes bytes to a file, creating its folders; fails the calling test on error.
bool WriteTestFile(const QString &path, const QByteArray &bytes);

// Text as UTF-16 or UTF-32 bytes in the given byte order, without a mark
// (put U+FEFF in front of the text for one).
QByteArray Utf16Bytes(const QString &text, bool bigEndian);
QByteArray Utf32Bytes(const QString &text, bool bigEndian);

#endif
