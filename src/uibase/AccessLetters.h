#pragma once
#include <QString>

class QMenu;

// Gives every entry of a menu, and of its submenus, an access letter that no
// other entry of the same menu has: the first letter of a word where one is
// free, else the first free letter of the text. Entries that already have
// one keep it; the shortcut text after a tab is left alone.
void AssignAccessLetters(QMenu* menu);

// The text as shown, without the access mark ("&&" stays one "&").
QString WithoutAccessMark(const QString& text);
