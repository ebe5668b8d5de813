#pragma once
// The user's own folders of the program across a change of their names.
#include <QString>

// Moves the folder from to the path to when from exists and to does not yet, so that what an
// older version kept under its own name is found once under the new one; the folders above to
// are made. True when to exists afterwards (moved now or before). Symbolic links are not followed.
bool AdoptOldFolder(const QString& from, const QString& to);
