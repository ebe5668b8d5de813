#pragma once
// The recovery file: the skin being made, written while it is unsaved so that a crash loses
// nothing, and read back at the next start.
//
// A recovery folder holds "recovery.json" and, under "files/", copies of the files the skin
// refers to that lie only in temporary folders. Files the user chose are referred to by path. The
// content read back refers to the copies inside the folder: the folder stays while the skin may
// use them (writing the next state into the same folder keeps them).
#include "skin/SkinDocument.h"

#include <QString>
#include <QStringList>
#include <optional>

struct RecoveryState {
    SkinContent content;
    int step = 0; // the wizard step showing, 0..5
};

struct RecoveryRead {
    std::optional<RecoveryState> state; // pictures already decoded
    QStringList missingFiles;           // files the user chose that have gone (the rest is restored)
    QString error;                      // for the user, when the folder holds no usable state
};

// The recovery file's name inside its folder.
inline constexpr char kRecoveryFileName[] = "recovery.json";
// Larger recovery files are refused unread (a real one is a few KB).
inline constexpr qint64 kMaxRecoveryBytes = qint64(1) << 20;

// Writes state into folder (created, mode 0700): the recovery file atomically, plus a copy of every
// referenced file that lies under one of temporaryRoots. Copies no longer referenced are removed
// once the new file is in place. Touches no picture, so it may run on a worker thread with a copy
// of the content. Returns false and sets *error (when given) on failure.
bool WriteRecovery(const RecoveryState& state, const QString& folder, const QStringList& temporaryRoots,
                   QString* error);
// Reads what WriteRecovery wrote, with the care given to a package: bounded sizes, counts and
// numbers, pictures decoded within the package limits. Files the user chose that are gone are
// left out and named in missingFiles.
RecoveryRead ReadRecovery(const QString& folder);
