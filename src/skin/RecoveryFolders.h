#pragma once
// Where unsaved skins wait for a restart after a crash: one folder per running wizard under
// $XDG_STATE_HOME/skinmaker (default ~/.local/state/skinmaker), closed to other users (0700).
// A lock file beside each folder is held for as long as its wizard runs, so a folder whose lock
// nobody holds was left by a wizard that ended without cleaning up.
#include <QString>

#include <memory>

class QLockFile;

// $XDG_STATE_HOME/skinmaker; ~/.local/state/skinmaker when XDG_STATE_HOME is unset or relative.
QString RecoveryRoot();

class RecoverySlot {
public:
    // A new folder for this wizard under root (root made private first); nullptr and *error when it
    // cannot be made. The folder itself is created by the first write.
    static std::unique_ptr<RecoverySlot> Create(const QString& root, QString* error);
    // The first folder under root that no running wizard holds, held now by the caller; nullptr
    // when there is none. Left-over folders without a recovery file are removed on the way.
    static std::unique_ptr<RecoverySlot> ClaimLeftover(const QString& root);

    ~RecoverySlot(); // lets the lock go; the folder stays as it is
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    QString Folder() const { return m_folder; }
    // The folder and its lock removed: nothing is kept.
    void Remove();
    // The folder renamed so that it is never offered again (a damaged state, kept to be looked at);
    // the lock removed. Returns the new name, empty when the rename failed (the folder is then removed).
    QString SetAside();

private:
    RecoverySlot(QString folder, std::unique_ptr<QLockFile> lock);

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};
