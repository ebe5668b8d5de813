#include "skin/WorkingSession.h"

#include "skin/SkinFolders.h"

#include <QDir>
#include <QFile>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString SessionLockFolder()
{
    return WorkingBase() + QStringLiteral("/sessions");
}

#ifdef Q_OS_WIN

WorkingSession::WorkingSession() = default;
WorkingSession::~WorkingSession() = default;
void WorkingSession::Claim() {}
bool OtherSessionAlive(const QString&)
{
    return true;
}
void RemoveWorkingLeftovers(const QString&) {}

#else

namespace {

// True when fd is the file that path names now (not one unlinked meanwhile).
bool SameFile(int fd, const QByteArray& path)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

WorkingSession::WorkingSession()
{
    Claim();
    // Only inside a base that has passed its checks: nothing is removed through a link.
    if (m_fd >= 0)
        RemoveWorkingLeftovers(m_lockPath);
}

WorkingSession::~WorkingSession()
{
    if (m_fd < 0)
        return;
    RemoveWorkingLeftovers(m_lockPath);
    ::unlink(QFile::encodeName(m_lockPath).constData());
    ::close(m_fd);
    // The last run leaves no empty lock folder behind; a run starting meanwhile makes it again.
    ::rmdir(QFile::encodeName(SessionLockFolder()).constData());
}

void WorkingSession::Claim()
{
    if (!PrepareWorkingBase())
        return;
    const QString path = SessionLockFolder() + QStringLiteral("/%1.lock").arg(::getpid());
    const QByteArray name = QFile::encodeName(path);
    // A run ending at the same moment may remove the lock folder, or take an unlocked file for the
    // lock of a dead run and delete it: then the lock is made again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (!MakeFolders(SessionLockFolder()))
            return;
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, name)) {
            m_fd = fd;
            m_lockPath = path;
            return;
        }
        ::close(fd);
    }
}

bool OtherSessionAlive(const QString& ownLock)
{
    const QDir folder(SessionLockFolder());
    bool alive = false;
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString path = folder.filePath(entry);
        if (path == ownLock)
            continue;
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Nobody holds it: its run has ended without removing it.
            if (SameFile(fd, name))
                ::unlink(name.constData());
        } else if (errno == EWOULDBLOCK) {
            alive = true;
        }
        ::close(fd);
    }
    return alive;
}

void RemoveWorkingLeftovers(const QString& ownLock)
{
    if (OtherSessionAlive(ownLock))
        return;
    RemoveFolderTree(ExtractionRoot());
    RemoveFolderTree(BuildFolder());
}

#endif
