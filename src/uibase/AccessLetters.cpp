#include "AccessLetters.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace {
// The letter after a single "&", or a null character.
QChar AccessLetterOf(const QString& text)
{
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Where the mark goes: a word's first letter first, then any letter.
int FreeLetterAt(const QString& label, const QSet<QChar>& used)
{
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < label.size(); ++i) {
            const QChar c = label[i];
            if (!c.isLetterOrNumber() || used.contains(c.toLower()))
                continue;
            const bool wordStart = i == 0 || label[i - 1].isSpace() || label[i - 1] == QLatin1Char('(');
            if (pass == 1 || wordStart)
                return i;
        }
    }
    return -1;
}
} // namespace

void AssignAccessLetters(QMenu* menu)
{
    if (!menu)
        return;
    QSet<QChar> used;
    for (QAction* a : menu->actions())
        if (const QChar c = AccessLetterOf(a->text()); !c.isNull())
            used.insert(c);
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        AssignAccessLetters(a->menu());
        const QString text = a->text();
        if (!AccessLetterOf(text).isNull())
            continue;
        const int tab = text.indexOf(QLatin1Char('\t'));
        const QString label = tab < 0 ? text : text.left(tab);
        const int at = FreeLetterAt(label, used);
        if (at < 0)
            continue;
        used.insert(label[at].toLower());
        a->setText(text.left(at) + QLatin1Char('&') + text.mid(at));
    }
}

QString WithoutAccessMark(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            out += text[i + 1];
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}
