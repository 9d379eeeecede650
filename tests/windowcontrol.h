#ifndef LINTRA_WINDOWCONTROL_H
#define LINTRA_WINDOWCONTROL_H

#include <QObject>
#include <QString>
#include <QVariant>

// The window's child of that object name and type (a control, an action, the
// tray icon, a subsystem's object), as tests and benchmarks find what a user
// meets; ends the program when there is none.
template <class T> T *Control(const QObject &window, const char *objectName)
{
    T *child = window.findChild<T *>(QLatin1String(objectName));
    if (!child)
        qFatal("The window has no %s named %s", T::staticMetaObject.className(), objectName);
    return child;
}

// The text a label, button or action shows.
inline QString ControlText(const QObject &window, const char *objectName)
{
    return Control<QObject>(window, objectName)->property("text").toString();
}

#endif
