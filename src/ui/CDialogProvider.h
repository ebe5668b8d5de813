#pragma once
// Message boxes and file and colour dialogs go through one provider, so that tests can
// answer them without real modal dialogs. The program uses the real ones.
#include <QColor>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <optional>
#include <utility>

class QAction;
class QUrl;
class QDialog;
class QFileDialog;
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
    // A message box whose buttons say what they do: each standard button shown with its own text.
    // The first button is the default; Escape is a Cancel button's, if any. Returns the button
    // pressed, NoButton when the box was closed without one.
    virtual QMessageBox::StandardButton
    Choose(QWidget* parent, const QString& text, const QString& caption,
           const QList<std::pair<QMessageBox::StandardButton, QString>>& buttons,
           QMessageBox::Icon icon = QMessageBox::NoIcon);
    // Open and save dialogs; filter in Qt's syntax ("Images (*.png);;..."). Empty result = cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix);
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                    const QString& initialPath);
    // The colour dialog; nullopt = cancelled.
    virtual std::optional<QColor> GetColor(QWidget* parent, const QColor& initial);

    // Opens url in the system's web browser; false when there is none or it cannot be started. On
    // Linux the opener is watched: when it finds no browser after all, a message says so then.
    virtual bool OpenUrl(const QUrl& url);

    // Runs a modal dialog (for example the about box); returns its result code.
    virtual int ExecDialog(QDialog& dialog);
    // Pops up a menu at a global position; returns the chosen action or nullptr.
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition);

    // The provider in use; tests install their own and put back nullptr (the real one) afterwards.
    static CDialogProvider& Instance();
    static void SetInstance(CDialogProvider* provider);
};

// The caption of every message box of the program.
QString PromptCaption();

// The kinds of message the program shows, each always with the same icon.
enum class MessageKind {
    Information, // news the user needs nothing to do about
    Warning,     // refused input or file, or something the user has to do by hand
    Failure,     // an operation the user asked for did not happen
};
QMessageBox::Icon IconOf(MessageKind kind);
// A message box with the program's caption, an OK button and the kind's icon.
void ShowMessage(QWidget* parent, MessageKind kind, const QString& text);
// A yes/no question about something that cannot be undone or needs the user's care; true for yes.
bool AskYesNo(QWidget* parent, const QString& text);
// Asks whether to save changes before they would be lost: Save, Discard ("不保存") or Cancel.
QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& text);

// Widens the file dialog's detail view so its name, size, type and date columns show whole (the
// date as the system's locale writes it), and the dialog so that the columns fit.
void FitFileDialog(QFileDialog& dialog);

// Opens url in the browser through the provider; when that fails, says so with the address to
// open by hand.
void OpenInBrowser(QWidget* parent, const QUrl& url);
