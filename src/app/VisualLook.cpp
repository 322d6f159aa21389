#include "VisualLook.h"

#include "uibase/CommandIds.h"

VisualLook SelectLook(int lookId, Office2007Variant currentVariant)
{
    VisualLook look;
    look.variant = currentVariant;
    look.windows7CommandBar = lookId == cmd::kLookWindows7;
    switch (lookId) {
    case cmd::kLookWindows2000:
        look.family = LookFamily::Windows2000;
        break;
    case cmd::kLookOfficeXP:
        look.family = LookFamily::OfficeXP;
        break;
    case cmd::kLookWindowsXP:
        look.family = LookFamily::WindowsXP;
        break;
    case cmd::kLookOffice2003:
        look.family = LookFamily::Office2003;
        break;
    case cmd::kLookVS2005:
        look.family = LookFamily::VisualStudio2005;
        break;
    case cmd::kLookVS2008:
        look.family = LookFamily::VisualStudio2008;
        break;
    case cmd::kLookWindows7:
        look.family = LookFamily::Windows7;
        break;
    case cmd::kLookOffice2007Blue:
        look.family = LookFamily::Office2007;
        look.variant = Office2007Variant::Blue;
        break;
    case cmd::kLookOffice2007Black:
        look.family = LookFamily::Office2007;
        look.variant = Office2007Variant::Black;
        break;
    case cmd::kLookOffice2007Silver:
        look.family = LookFamily::Office2007;
        look.variant = Office2007Variant::Silver;
        break;
    case cmd::kLookOffice2007Aqua:
        look.family = LookFamily::Office2007;
        look.variant = Office2007Variant::Aqua;
        break;
    default:
        look.family = LookFamily::Office2007;
        break;
    }
    return look;
}
