#pragma once
// Message boxes and file and colour dialogs go through one provider, so that tests can
// answer them without real modal dialogs. The program uses the real ones.
#include <QColor>
#include <QMessageBox>
#include <QString>
#include <optional>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

class CDialogProvider {
public:
    virtual ~CDialogProvider() = default;

    // A message box; returns the button pressed.
    virtual QMessageBox::StandardButton
    MessageBox(QWidget* parent, const QString& text, const QString& caption,
               QMessageBox::StandardButtons buttons, QMessageBox::Icon icon = QMessageBox::NoIcon,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Open and save dialogs; filter in Qt's syntax ("Images (*.png);;..."). Empty result = cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix);
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                    const QString& initialPath);
    // The colour dialog; nullopt = cancelled.
    virtual std::optional<QColor> GetColor(QWidget* parent, const QColor& initial);

    // Runs a modal dialog (for example the about box); returns its result code.
    virtual int ExecDialog(QDialog& dialog);
    // Pops up a menu at a global position; returns the chosen action or nullptr.
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition);

    // The provider in use; tests install their own and put back nullptr (the real one) afterwards.
    static CDialogProvider& Instance();
    static void SetInstance(CDialogProvider* provider);
};

// The caption of every message box of the program.
inline QString PromptCaption()
{
    return QStringLiteral("Vadi提示");
}
