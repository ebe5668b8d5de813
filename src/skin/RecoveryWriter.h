#pragma once
// Keeps a changed skin in its recovery folder: a while after the last change (2 s unless told
// otherwise) the document's content is copied here, on the user-interface thread (the pictures
// are shared, not copied), and written on a worker thread. One write runs at a time; changes
// made meanwhile are written after it, so the last state always wins. When the document becomes
// unmodified (saved, undone to where it was saved, made anew, opened) the folder is emptied.
#include "skin/RecoveryFile.h"

#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

class SkinDocument;

class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultDelayMs = 2000;

    RecoveryWriter(SkinDocument& document, QString folder, QStringList temporaryRoots,
                   QObject* parent = nullptr);
    // Waits for a running write; the folder stays as it is.
    ~RecoveryWriter() override;

    const QString& Folder() const { return m_folder; }
    // The wizard step written with the content; a new step is written as a change is.
    void SetStep(int step);
    void SetDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    // Nothing is to be kept: no more writes for what is there now, and the folder is emptied (after
    // the running write, if any). Files the document still uses from the folder are kept.
    void Discard();
    // Writes what is due now instead of after the delay.
    void WriteNow();
    // Lets a running write finish and takes its outcome; no write is scheduled afterwards.
    void Stop();
    bool IsWriting() const { return m_running; }
    // No write runs or waits.
    bool IsIdle() const { return !m_running && !m_writeAgain && !m_timer.isActive(); }

signals:
    // A write finished; error is empty when it succeeded.
    void written(bool ok, const QString& error);
    // The folder was emptied.
    void discarded();

private:
    void OnChanged();
    void OnModifiedChanged(bool modified);
    void StartWrite();
    void Finish(bool ok, const QString& error);
    void EmptyFolder();

    SkinDocument& m_document;
    QString m_folder;
    QStringList m_temporaryRoots;
    int m_step = 0;
    QTimer m_timer;
    QThreadPool m_pool;
    bool m_running = false;
    bool m_writeAgain = false;     // a change came while a write ran
    bool m_discardPending = false; // Discard came while a write ran
    bool m_stopped = false;
};
