#pragma once
// The program's icon (resource 128) at every size drawn for it.
#include <QIcon>

QIcon ProgramIcon();
