#pragma once
// Pictures of the shell, drawn at run time: the connection indicator's two
// states, the program icon, the help icon and the splash picture.
#include <QIcon>
#include <QPixmap>

QPixmap ConnectedPixmap();     // green plug: the link is up
QPixmap DisconnectedPixmap();  // red, crossed plug: no link
QIcon ProgramIcon();
QIcon HelpIcon();              // white question mark on a blue disc
QPixmap SplashPixmap(const QString& caption);
