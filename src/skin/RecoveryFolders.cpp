#include "skin/RecoveryFolders.h"

#include "skin/RecoveryFile.h"
#include "skin/SkinFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QUuid>

namespace {
const QString kSlotPrefix = QStringLiteral("wizard-");
const QString kLockSuffix = QStringLiteral(".lock");

std::unique_ptr<QLockFile> HeldLock(const QString& folder)
{
    auto lock = std::make_unique<QLockFile>(folder + kLockSuffix);
    // A wizard may run for days: only a lock whose process has gone counts as stale, never an old one.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

bool MakePrivateRoot(const QString& root, QString* error)
{
    const FolderResult made = MakeFolders(root);
    if (!made) {
        *error = made.error;
        return false;
    }
    if (!QFile::setPermissions(root,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
        *error = QDir::toNativeSeparators(root);
        return false;
    }
    return true;
}
} // namespace

QString RecoveryRoot()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/skinmaker"));
}

RecoverySlot::RecoverySlot(QString folder, std::unique_ptr<QLockFile> lock)
    : m_folder(std::move(folder)), m_lock(std::move(lock))
{
}

RecoverySlot::~RecoverySlot() = default;

std::unique_ptr<RecoverySlot> RecoverySlot::Create(const QString& root, QString* error)
{
    if (!MakePrivateRoot(root, error))
        return nullptr;
    const QString folder = root + QLatin1Char('/') + kSlotPrefix + QUuid::createUuid().toString(QUuid::Id128);
    auto lock = HeldLock(folder);
    if (lock == nullptr) {
        *error = QDir::toNativeSeparators(folder);
        return nullptr;
    }
    return std::unique_ptr<RecoverySlot>(new RecoverySlot(folder, std::move(lock)));
}

std::unique_ptr<RecoverySlot> RecoverySlot::ClaimLeftover(const QString& root)
{
    const QFileInfo rootInfo(root);
    if (rootInfo.isSymLink() || !rootInfo.isDir() || !rootInfo.isWritable())
        return nullptr;
    // Locks of wizards that ended before they wrote anything.
    const QFileInfoList locks =
        QDir(root).entryInfoList({kSlotPrefix + QLatin1Char('*') + kLockSuffix}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : locks) {
        const QString folder = info.absoluteFilePath().chopped(kLockSuffix.size());
        if (!QFileInfo::exists(folder)) {
            if (auto lock = HeldLock(folder))
                lock->unlock();
        }
    }
    const QFileInfoList folders = QDir(root).entryInfoList({kSlotPrefix + QLatin1Char('*')},
                                                           QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time);
    for (const QFileInfo& info : folders) {
        if (info.isSymLink() || info.fileName().endsWith(kLockSuffix))
            continue;
        auto lock = HeldLock(info.absoluteFilePath());
        if (lock == nullptr)
            continue; // its wizard is running
        auto slot = std::unique_ptr<RecoverySlot>(new RecoverySlot(info.absoluteFilePath(), std::move(lock)));
        // Without a recovery file (nothing written, or emptied by a save) there is nothing to offer.
        if (!QFileInfo::exists(slot->Folder() + QLatin1Char('/') + QLatin1String(kRecoveryFileName))) {
            slot->Remove();
            continue;
        }
        return slot;
    }
    return nullptr;
}

void RecoverySlot::Remove()
{
    QDir(m_folder).removeRecursively();
    if (m_lock != nullptr) {
        m_lock->unlock();
        m_lock.reset();
    }
}

QString RecoverySlot::SetAside()
{
    const QFileInfo info(m_folder);
    const QString aside = info.absolutePath() + QStringLiteral("/damaged-") +
                          QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss-")) +
                          info.fileName().mid(kSlotPrefix.size());
    const bool renamed = QDir().rename(m_folder, aside);
    Remove();
    return renamed ? aside : QString();
}
