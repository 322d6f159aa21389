#pragma once
// The pictures of the dialogs, kept as SVG resources and rendered to pixels
// at the size a dialog needs.
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace pictures {
inline constexpr const char* kProgramIcon = ":/icons/vandreledit2028.svg";
inline constexpr const char* kMakerLogo = ":/pictures/rudevoz-logo.svg";
inline constexpr const char* kAboutBackground = ":/pictures/about-background.svg";
inline constexpr const char* kAboutBanner = ":/pictures/about-banner.svg";
inline constexpr const char* kAboutStrip = ":/pictures/about-strip.svg";
inline constexpr const char* kPageInfo = ":/pictures/page-info.svg";
inline constexpr const char* kPageAppOptions = ":/pictures/page-appoptions.svg";
inline constexpr const char* kPageLanguage = ":/pictures/page-language.svg";
// Timer icon index 0 and 1.
inline constexpr const char* kTimerClock = ":/pictures/timer-clock.svg";
inline constexpr const char* kTimerRecord = ":/pictures/timer-record.svg";
} // namespace pictures

// Registers the program's resources (pictures, icons, the manual) once.
void RegisterResources();

// The picture's own size in pixels (its SVG width and height).
QSize PictureSize(const char* resource);
// Rendered at size (its own size when size is empty); transparent where the
// picture draws nothing. A null pixmap when the resource is missing.
QPixmap RenderPicture(const char* resource, QSize size = QSize());
// An icon holding the picture at the given pixel sizes.
QIcon PictureIcon(const char* resource, std::initializer_list<int> sizes = {16, 32});
