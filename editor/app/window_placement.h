#pragma once

#include <QList>
#include <QRect>

class QSettings;
class QWidget;

namespace kadr::editor {

// Where the main window was and how it was shown, kept with the other stored settings:
// "Flags", "ShowCmd", "PixelsPerInch", "Visible", "MinMaxPos" and "NormPos", the last two also
// under their name followed by the screen resolution, e.g. "NormPos(1920x1080)".
void SaveWindowPlacement(const QWidget& window, QSettings& settings);
// Restores size, position and the maximised state. A position that would leave the window's
// title bar off every screen (a monitor since unplugged, a smaller resolution) is moved back
// onto the primary screen.
void RestoreWindowPlacement(QWidget& window, QSettings& settings);

// The normal rectangle brought onto the screens: kept when its top strip is on one of `screens`,
// else moved onto `fallback`; never larger than the screen it ends on.
QRect OnVisibleScreen(const QRect& normal, const QList<QRect>& screens, const QRect& fallback);

}  // namespace kadr::editor
