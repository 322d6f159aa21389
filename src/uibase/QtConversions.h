#pragma once
// Small conversions between the core's plain types and Qt's, shared by the
// whole GUI.
#include <QColor>
#include <QFile>
#include <QString>
#include <string>

#include "AppMessages.h"
#include "AppSettings.h"

// A German text of the sources (written as UTF-8).
inline QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The caption of the program's message boxes.
inline QString AppCaption()
{
    return QString::fromUtf8(appmsg::kAppName);
}

// A path as the core's file functions take it: in the file system's own
// encoding, so names that are not valid UTF-8 still open.
inline std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Colours of the settings (0x00RRGGBB) and Qt's.
inline QColor ToQColor(ColorRef c)
{
    return QColor::fromRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

inline ColorRef FromQColor(const QColor& c)
{
    return Rgb(c.red(), c.green(), c.blue());
}
