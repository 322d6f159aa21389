#include "LookPalettes.h"

#include <QApplication>
#include <QStyle>

namespace {
struct Colors {
    QColor window, button, windowText, highlight;
};

QPalette MakePalette(const Colors& c)
{
    QPalette p(c.button, c.window);
    p.setColor(QPalette::WindowText, c.windowText);
    p.setColor(QPalette::ButtonText, c.windowText);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, c.window.lighter(110));
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Highlight, c.highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(110, 110, 110));
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, QColor(140, 140, 140));
    p.setColor(QPalette::Disabled, QPalette::Highlight, c.highlight.lighter(130));
    return p;
}

Colors ColorsOf(const VisualLook& look)
{
    switch (look.family) {
    case LookFamily::Windows2000:
        return {{212, 208, 200}, {212, 208, 200}, Qt::black, {10, 36, 106}};
    case LookFamily::OfficeXP:
        return {{238, 237, 229}, {214, 211, 206}, Qt::black, {49, 106, 197}};
    case LookFamily::WindowsXP:
        return {{236, 233, 216}, {236, 233, 216}, Qt::black, {49, 106, 197}};
    case LookFamily::Office2003:
        return {{195, 218, 249}, {221, 236, 254}, Qt::black, {49, 106, 197}};
    case LookFamily::VisualStudio2005:
        return {{238, 237, 229}, {245, 244, 238}, Qt::black, {49, 106, 197}};
    case LookFamily::VisualStudio2008:
        return {{233, 236, 250}, {214, 219, 233}, Qt::black, {51, 153, 255}};
    case LookFamily::Office2007:
        switch (look.variant) {
        case Office2007Variant::Blue:
            return {{191, 219, 255}, {221, 234, 250}, {21, 66, 139}, {61, 123, 198}};
        case Office2007Variant::Black:
            return {{83, 83, 83}, {110, 110, 110}, Qt::white, {255, 170, 60}};
        case Office2007Variant::Silver:
            return {{208, 212, 221}, {228, 231, 236}, {60, 60, 60}, {110, 140, 180}};
        case Office2007Variant::Aqua:
            return {{194, 214, 226}, {217, 230, 236}, {30, 70, 90}, {74, 138, 168}};
        }
        break;
    case LookFamily::Windows7:
        break;
    }
    return {};
}
} // namespace

QString PlatformStyleName()
{
    static const QString name = QApplication::style() ? QApplication::style()->name() : QStringLiteral("fusion");
    return name;
}

LookStyle StyleForLook(const VisualLook& look)
{
    if (look.family == LookFamily::Windows7)
        return {PlatformStyleName(), std::nullopt};
    const QString style =
        look.family == LookFamily::Windows2000 ? QStringLiteral("Windows") : QStringLiteral("Fusion");
    return {style, MakePalette(ColorsOf(look))};
}
