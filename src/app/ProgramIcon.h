#pragma once
// The program's icon (resource 128) at every size drawn for it, and the names it goes by.
#include <QIcon>
#include <QString>

QIcon ProgramIcon();

// The one id of the program on the desktop: the desktop entry, the icon, the package type file and
// the software centres' description are named by it.
inline constexpr char kDesktopId[] = "org.skinmaker.skinmaker";
// The ASCII name behind the user's folders (~/.cache/skinmaker) and the window class.
inline constexpr char kProgramId[] = "skinmaker";
// The name the user sees, in the language shown: in the window title, the about box and messages.
QString ProgramDisplayName();
