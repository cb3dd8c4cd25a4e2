#pragma once
// Pictures on the knob keys of the virtual front panel, drawn at run time:
// arrows for the position and level knobs, turning arrows for the
// multipurpose knob.
#include <QIcon>

enum class PanelArrow { Up, Down, Left, Right, TurnLeft, TurnRight };

QIcon PanelArrowIcon(PanelArrow arrow);
// The panel's window icon: a small screen above a row of keys.
QIcon PanelWindowIcon();
