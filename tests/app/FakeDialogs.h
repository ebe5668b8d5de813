#pragma once
// A dialog provider for widget tests: records every question and answers it as told.
#include "ui/CDialogProvider.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QStringList>

class FakeDialogs : public CDialogProvider {
public:
    struct Question {
        QString text;
        QString caption;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };

    FakeDialogs() { SetInstance(this); }
    ~FakeDialogs() override { SetInstance(nullptr); }

    QMessageBox::StandardButton MessageBox(QWidget*, const QString& text, const QString& caption,
                                           QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                           QMessageBox::StandardButton defaultButton) override
    {
        questions.append({text, caption, buttons, icon, defaultButton});
        return answer;
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
        for (QAction* action : menu.actions())
            menuTexts.append(action->text());
        for (QAction* action : menu.actions()) {
            if (action->text() == menuChoice)
                return action;
        }
        return nullptr;
    }

    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString menuChoice;
    QList<Question> questions;
    QStringList dialogTitles;
    QStringList dialogTexts;
    QStringList menuTexts;
};
