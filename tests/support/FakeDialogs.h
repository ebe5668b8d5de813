#pragma once
// The dialog provider of the widget tests: records every request and answers from scripts.
// Message boxes take the next queued answer, else `answer`; file dialogs and the colour dialog
// take the next queued value, else they count as cancelled; the about box and other modal
// dialogs are recorded and accepted; a menu records the items the user could choose and answers
// with the one named `menuChoice`; addresses
// handed to the browser are recorded and open as `browserOpens` says.
// With realMessageBoxes set, message boxes are shown for real (and still recorded).
#include "ui/CDialogProvider.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QQueue>
#include <QStringList>
#include <QUrl>

class FakeDialogs : public CDialogProvider {
public:
    struct Message {
        QString text;
        QString caption;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };
    struct FileRequest {
        QString filter;
        QString defaultSuffix;
        QString initialPath;
    };

    FakeDialogs() { SetInstance(this); }
    ~FakeDialogs() override { SetInstance(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    QMessageBox::StandardButton MessageBox(QWidget* parent, const QString& text, const QString& caption,
                                           QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                           QMessageBox::StandardButton defaultButton) override
    {
        messages.append({text, caption, buttons, icon, defaultButton});
        if (realMessageBoxes)
            return CDialogProvider::MessageBox(parent, text, caption, buttons, icon, defaultButton);
        return answers.isEmpty() ? answer : answers.dequeue();
    }
    // Answered as MessageBox, recorded with the buttons' texts.
    QMessageBox::StandardButton Choose(QWidget* parent, const QString& text, const QString& caption,
                                       const QList<std::pair<QMessageBox::StandardButton, QString>>& buttons,
                                       QMessageBox::Icon icon) override
    {
        QMessageBox::StandardButtons all;
        for (const auto& button : buttons) {
            all |= button.first;
            buttonTexts.append(button.second);
        }
        if (realMessageBoxes) {
            messages.append({text, caption, all, icon, QMessageBox::NoButton});
            return CDialogProvider::Choose(parent, text, caption, buttons, icon);
        }
        return MessageBox(parent, text, caption, all, icon, QMessageBox::NoButton);
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
    bool OpenUrl(const QUrl& url) override
    {
        openedUrls.append(url);
        return browserOpens;
    }
    int ExecDialog(QDialog& dialog) override
    {
        dialogTitles.append(dialog.windowTitle());
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            dialogTexts.append(label->text());
        return QDialog::Accepted;
    }
    QAction* ExecMenu(QMenu& menu, const QPoint&) override
    {
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            // What the user could choose: separators and disabled items are left out.
            if (action->isSeparator() || !action->isEnabled())
                continue;
            menuTexts.append(action->text());
            if (chosen == nullptr && action->text() == menuChoice)
                chosen = action;
        }
        return chosen;
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Message& message : messages)
            texts.append(message.text);
        return texts;
    }

    // Scripts.
    QQueue<QMessageBox::StandardButton> answers;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    bool realMessageBoxes = false;
    QQueue<QString> openPaths;
    QQueue<QString> savePaths;
    QQueue<QColor> colors;
    QString menuChoice;
    bool browserOpens = true; // what opening an address in the browser gives

    // Records.
    QList<Message> messages;
    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QList<QColor> colorInitials;
    QList<QUrl> openedUrls;
    QStringList dialogTitles;
    QStringList dialogTexts;
    QStringList menuTexts;
    QStringList buttonTexts; // of the questions asked with Choose
};
