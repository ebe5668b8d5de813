#include "ui/CDialogProvider.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>

namespace {
CDialogProvider* g_override = nullptr;
} // namespace

QMessageBox::StandardButton CDialogProvider::MessageBox(QWidget* parent, const QString& text,
                                                        const QString& caption,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString CDialogProvider::GetOpenFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString CDialogProvider::GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                         const QString& initialPath)
{
    QFileDialog dialog(parent, QString(), initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The caller asks about replacing an existing file itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!initialPath.isEmpty())
        dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> CDialogProvider::GetColor(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

int CDialogProvider::ExecDialog(QDialog& dialog)
{
    return dialog.exec();
}

QAction* CDialogProvider::ExecMenu(QMenu& menu, const QPoint& globalPosition)
{
    return menu.exec(globalPosition);
}

CDialogProvider& CDialogProvider::Instance()
{
    static CDialogProvider real;
    return g_override != nullptr ? *g_override : real;
}

void CDialogProvider::SetInstance(CDialogProvider* provider)
{
    g_override = provider;
}
