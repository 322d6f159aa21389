#pragma once
#include <QPalette>
#include <QString>
#include <optional>

#include "VisualLook.h"

// The Qt style and colours that stand in for a look.
struct LookStyle {
    QString styleName;
    std::optional<QPalette> palette; // none: the style's own palette
};

// The platform's default style, remembered on the first call; call it once
// before any style is changed.
QString PlatformStyleName();
LookStyle StyleForLook(const VisualLook& look);
