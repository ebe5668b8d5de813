#include "app/WizardRecovery.h"

#include "app/CWizardDlg.h"
#include "flash/core/FlashCache.h"
#include "skin/RecoveryFile.h"
#include "skin/RecoveryFolders.h"
#include "skin/RecoveryWriter.h"
#include "skin/SkinFolders.h"
#include "ui/CDialogProvider.h"

#include <QDir>

WizardRecovery::WizardRecovery(CWizardDlg& wizard, QString root)
    : QObject(&wizard), m_wizard(wizard), m_root(std::move(root))
{
}

WizardRecovery::~WizardRecovery()
{
    if (m_writer != nullptr) {
        m_writer->Stop();
        delete m_writer;
    }
    if (m_slot != nullptr && !m_wizard.Document().IsModified())
        m_slot->Remove();
}

QString WizardRecovery::Folder() const
{
    return m_slot != nullptr ? m_slot->Folder() : QString();
}

void WizardRecovery::Start()
{
    if (m_writer != nullptr)
        return;
    if (!OfferLeftover()) {
        QString error;
        m_slot = RecoverySlot::Create(m_root, &error);
        if (m_slot == nullptr) {
            // The wizard works on without a safety net; the user is told once why.
            ShowMessage(&m_wizard, MessageKind::Warning,
                        tr("无法创建恢复文件夹，程序意外退出时未保存的皮肤将会丢失：\n%1").arg(error));
            return;
        }
    }
    // Copies are kept of what lives only in the working folders: an opened package's header,
    // downloaded controls.
    const QStringList temporaryRoots{WorkingBase(), QDir::cleanPath(FlashCacheFolder())};
    m_writer = new RecoveryWriter(m_wizard.Document(), m_slot->Folder(), temporaryRoots);
    m_writer->SetStep(m_wizard.CurrentIndex());
}

bool WizardRecovery::OfferLeftover()
{
    while (auto leftover = RecoverySlot::ClaimLeftover(m_root)) {
        const RecoveryRead read = ReadRecovery(leftover->Folder());
        if (!read.state) {
            const QString aside = leftover->SetAside();
            ShowMessage(&m_wizard, MessageKind::Warning,
                        tr("上次未保存的皮肤无法恢复。%1\n恢复文件夹已移到：%2")
                            .arg(read.error, QDir::toNativeSeparators(aside)));
            continue;
        }
        const QMessageBox::StandardButton answer = CDialogProvider::Instance().Choose(
            &m_wizard, tr("上次未保存的皮肤可以恢复。"), PromptCaption(),
            {{QMessageBox::Open, tr("恢复")}, {QMessageBox::Discard, tr("放弃")}}, QMessageBox::Question);
        if (answer == QMessageBox::Discard) {
            leftover->Remove();
            continue;
        }
        if (answer != QMessageBox::Open)
            return false; // closed without an answer: offered again next time
        m_wizard.ShowRestored(read.state->content, read.state->step);
        if (!read.missingFiles.isEmpty()) {
            QStringList names;
            for (const QString& file : read.missingFiles)
                names.append(QDir::toNativeSeparators(file));
            ShowMessage(
                &m_wizard, MessageKind::Warning,
                tr("以下文件已不存在，皮肤的其余部分已恢复：\n%1").arg(names.join(QLatin1Char('\n'))));
        }
        m_slot = std::move(leftover);
        return true;
    }
    return false;
}

void WizardRecovery::SetStep(int step)
{
    if (m_writer != nullptr)
        m_writer->SetStep(step);
}

void WizardRecovery::Finish()
{
    if (m_writer != nullptr) {
        m_writer->Stop();
        delete m_writer;
        m_writer = nullptr;
    }
    if (m_slot != nullptr) {
        m_slot->Remove();
        m_slot.reset();
    }
}
