#pragma once
// A run of the wizard or of a skinmaker-cli command that unpacks or builds packages in the private
// working folder. While it lasts it holds a lock there ("sessions/<pid>.lock", locked with flock,
// so that the lock of a process that has died is free again). When it ends, and when the next run
// starts, the build folder and the unpacked packages are removed, unless another living run
// holds a lock: then the last one to end removes them.
#include <QString>

class WorkingSession {
public:
    WorkingSession();
    ~WorkingSession();
    WorkingSession(const WorkingSession&) = delete;
    WorkingSession& operator=(const WorkingSession&) = delete;

    // True while this run holds its lock (false on Windows, where nothing is removed).
    bool IsHeld() const { return m_fd >= 0; }

private:
    void Claim();
    int m_fd = -1;
    QString m_lockPath;
};

// The folder holding the runs' locks.
QString SessionLockFolder();
// True when a run other than the one holding ownLock holds a lock; the locks of runs that have
// died are deleted on the way.
bool OtherSessionAlive(const QString& ownLock);
// Removes the build folder and the unpacked packages when no other run is alive.
void RemoveWorkingLeftovers(const QString& ownLock);
