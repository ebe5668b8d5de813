#pragma once
// A dialog provider for widget tests that answers from scripts: queued message-box answers,
// file names and colours, recording every request. An empty queue answers "cancel".
#include "ui/CDialogProvider.h"

#include <QList>
#include <QQueue>
#include <QStringList>

class ScriptedDialogs : public CDialogProvider {
public:
    struct Message {
        QString text;
        QString caption;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
    };
    struct FileRequest {
        QString filter;
        QString defaultSuffix;
        QString initialPath;
    };

    ScriptedDialogs() { SetInstance(this); }
    ~ScriptedDialogs() override { SetInstance(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    QMessageBox::StandardButton MessageBox(QWidget*, const QString& text, const QString& caption,
                                           QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                           QMessageBox::StandardButton) override
    {
        messages.append({text, caption, buttons, icon});
        return answers.isEmpty() ? QMessageBox::Cancel : answers.dequeue();
    }
    QString GetOpenFileName(QWidget*, const QString& filter, const QString& defaultSuffix) override
    {
        openRequests.append({filter, defaultSuffix, QString()});
        return openPaths.isEmpty() ? QString() : openPaths.dequeue();
    }
    QString GetSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix,
                            const QString& initialPath) override
    {
        saveRequests.append({filter, defaultSuffix, initialPath});
        return savePaths.isEmpty() ? QString() : savePaths.dequeue();
    }
    std::optional<QColor> GetColor(QWidget*, const QColor& initial) override
    {
        colorInitials.append(initial);
        if (colors.isEmpty())
            return std::nullopt;
        return colors.dequeue();
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Message& message : messages)
            texts.append(message.text);
        return texts;
    }

    QQueue<QMessageBox::StandardButton> answers;
    QQueue<QString> openPaths;
    QQueue<QString> savePaths;
    QQueue<QColor> colors;

    QList<Message> messages;
    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QList<QColor> colorInitials;
};
