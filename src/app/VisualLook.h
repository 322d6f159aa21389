#pragma once
// Which look a style command selects. Plain rules; applying them to the
// widgets is CMainFrame's job.

enum class LookFamily {
    Windows2000,
    OfficeXP,
    WindowsXP,
    Office2003,
    VisualStudio2005,
    VisualStudio2008,
    Office2007,
    Windows7,
};

enum class Office2007Variant { Blue, Black, Silver, Aqua };

struct VisualLook {
    LookFamily family = LookFamily::Windows7;
    Office2007Variant variant = Office2007Variant::Blue; // meaningful for Office2007
    bool windows7CommandBar = false;                     // exactly for id 219
};

// An id without a look of its own selects the Office 2007 family and keeps
// the colour variant in use.
VisualLook SelectLook(int lookId, Office2007Variant currentVariant);
