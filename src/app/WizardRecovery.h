#pragma once
// The wizard's side of crash recovery: at start it offers the skin that a wizard which ended
// without saving left behind (restore it or throw it away), then keeps this wizard's unsaved
// skin in a recovery folder of its own until it is saved or let go.
#include <QObject>
#include <QString>

#include <memory>

class CWizardDlg;
class RecoverySlot;
class RecoveryWriter;

class WizardRecovery : public QObject {
    Q_OBJECT
public:
    WizardRecovery(CWizardDlg& wizard, QString root);
    // Stops writing. The folder goes with the lock unless it holds an unsaved skin, which the next
    // start offers.
    ~WizardRecovery() override;

    // Offers a left-over skin (asking through the dialog provider), then starts keeping this one.
    void Start();
    // The step to show when the skin is restored.
    void SetStep(int step);
    // The user let the skin go (an exit after 不保存 or a save): nothing is kept.
    void Finish();

    RecoveryWriter* Writer() const { return m_writer; }
    QString Folder() const;

private:
    // Restores or removes the first left-over skin; true when it was restored (its folder is then
    // this wizard's).
    bool OfferLeftover();

    CWizardDlg& m_wizard;
    QString m_root;
    std::unique_ptr<RecoverySlot> m_slot;
    RecoveryWriter* m_writer = nullptr;
};
