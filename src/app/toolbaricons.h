#pragma once

class QIcon;
class QString;

namespace korvel {

// The face of the tool button named buttonName: the desktop icon theme's icon under its
// freedesktop name when the button has one and the theme holds it, else the drawing bundled
// with the program. Both scale with the screen, so they stay sharp at any device pixel ratio.
// A null icon for a name that is no tool button.
QIcon toolButtonIcon(const QString &buttonName);

// The bundled drawing of the tool button alone, whatever the desktop's theme holds.
QIcon bundledToolButtonIcon(const QString &buttonName);

// The freedesktop icon name the button asks the theme for; empty when no standard name fits.
QString toolButtonThemeName(const QString &buttonName);

// The word-wrap switch: a bent arrow while lines wrap, a straight one while they run on.
QIcon wordWrapIcon(bool on);

} // namespace korvel
