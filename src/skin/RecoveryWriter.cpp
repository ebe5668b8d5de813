#include "skin/RecoveryWriter.h"

#include "skin/SkinDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {
// Removes what lies in folder but the files in used (and the folders on their way); true when
// something was kept.
bool RemoveUnused(const QString& folder, const QSet<QString>& used)
{
    bool kept = false;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (used.contains(path)) {
            kept = true;
        } else if (entry.isDir() && !entry.isSymLink()) {
            if (RemoveUnused(path, used))
                kept = true;
            else
                QDir().rmdir(path);
        } else {
            QFile::remove(path);
        }
    }
    return kept;
}
} // namespace

RecoveryWriter::RecoveryWriter(SkinDocument& document, QString folder, QStringList temporaryRoots,
                               QObject* parent)
    : QObject(parent), m_document(document), m_folder(std::move(folder)),
      m_temporaryRoots(std::move(temporaryRoots))
{
    m_pool.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDefaultDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
    for (auto signal :
         {&SkinDocument::pictureChanged, &SkinDocument::colourChanged, &SkinDocument::stretchChanged,
          &SkinDocument::itemsChanged, &SkinDocument::thumbnailChanged, &SkinDocument::contentReplaced})
        connect(&document, signal, this, &RecoveryWriter::OnChanged);
    connect(&document, &SkinDocument::cropChanged, this, &RecoveryWriter::OnChanged);
    connect(&document, &SkinDocument::nameChanged, this, &RecoveryWriter::OnChanged);
    connect(&document, &SkinDocument::modifiedChanged, this, &RecoveryWriter::OnModifiedChanged);
}

RecoveryWriter::~RecoveryWriter()
{
    m_pool.waitForDone();
}

void RecoveryWriter::SetStep(int step)
{
    if (step == m_step)
        return;
    m_step = step;
    OnChanged();
}

void RecoveryWriter::OnChanged()
{
    // An edit signals its change before the document counts as modified: whether there is
    // anything to keep is decided when the timer fires.
    if (!m_stopped)
        m_timer.start();
}

void RecoveryWriter::OnModifiedChanged(bool modified)
{
    if (modified)
        OnChanged();
    else
        Discard();
}

void RecoveryWriter::WriteNow()
{
    m_timer.stop();
    if (m_stopped)
        return;
    if (!m_document.IsModified())
        return;
    if (m_running) {
        m_writeAgain = true;
        return;
    }
    StartWrite();
}

void RecoveryWriter::StartWrite()
{
    m_running = true;
    m_writeAgain = false;
    m_discardPending = false;
    // A copy of the content: the pictures inside are shared and never change once decoded.
    RecoveryState state{m_document.Content(), m_step};
    m_pool.start([this, state = std::move(state), folder = m_folder, roots = m_temporaryRoots] {
        QString error;
        const bool ok = WriteRecovery(state, folder, roots, &error);
        QMetaObject::invokeMethod(
            this, [this, ok, error] { Finish(ok, error); }, Qt::QueuedConnection);
    });
}

void RecoveryWriter::Finish(bool ok, const QString& error)
{
    m_running = false;
    // A change after the discard still counts: it is written after the folder is emptied.
    if (m_discardPending) {
        m_discardPending = false;
        EmptyFolder();
    }
    emit written(ok, error);
    if (m_writeAgain && !m_stopped) {
        m_writeAgain = false;
        WriteNow();
    }
}

void RecoveryWriter::Discard()
{
    m_timer.stop();
    m_writeAgain = false;
    if (m_running) {
        m_discardPending = true;
        return;
    }
    EmptyFolder();
}

void RecoveryWriter::Stop()
{
    m_stopped = true;
    m_timer.stop();
    m_pool.waitForDone();
    // The finished write's outcome is waiting in the event queue; take it now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void RecoveryWriter::EmptyFolder()
{
    // A restored skin may still use copies in the folder (an opened package's header, a
    // downloaded control): those stay until the skin lets them go.
    QSet<QString> used;
    const SkinContent& content = m_document.Content();
    for (const QString& path : {content.picturePath, content.thumbnailPath})
        if (!path.isEmpty())
            used.insert(QFileInfo(path).absoluteFilePath());
    for (const CornerItem& item : content.items)
        used.insert(QFileInfo(item.file).absoluteFilePath());
    if (!RemoveUnused(m_folder, used))
        QDir().rmdir(m_folder);
    emit discarded();
}
