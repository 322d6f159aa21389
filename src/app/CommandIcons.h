#pragma once
#include <QIcon>

class QStyle;

// The picture of a command: simple drawn symbols in the command bar's colours.
QIcon CommandIcon(int commandId, const QStyle* style);
// The program icon.
QIcon ApplicationIcon();
