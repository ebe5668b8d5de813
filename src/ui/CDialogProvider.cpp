#include "ui/CDialogProvider.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QUrl>

namespace {
CDialogProvider* g_override = nullptr;

QString NoBrowserText(const QUrl& url)
{
    return QCoreApplication::translate("CDialogProvider",
                                       "无法打开网页浏览器。请在浏览器中手动打开以下地址：\n%1")
        .arg(url.toString(QUrl::FullyDecoded));
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// xdg-open starts whatever the desktop opens web addresses with. It is watched rather than
// started detached: with no browser at all it ends with an error, which would otherwise go
// unseen. While the browser runs it may stay; the program's end takes only it down.
bool OpenWithXdgOpen(const QUrl& url)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (program.isEmpty())
        return QDesktopServices::openUrl(url);
    auto* process = new QProcess(qApp);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, url, window = QPointer<QWidget>(QApplication::activeWindow())](
                         int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status == QProcess::NormalExit && code != 0)
                             ShowMessage(window, MessageKind::Warning, NoBrowserText(url));
                     });
    process->start(program, {url.toString(QUrl::FullyEncoded)});
    if (process->waitForStarted())
        return true;
    delete process;
    return false;
}
#endif
} // namespace

void FitFileDialog(QFileDialog& dialog)
{
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (tree == nullptr)
        return; // a native dialog sizes itself
    // Size, type and date take the width of what they show, whatever the locale writes there;
    // the name column starts wide enough for a long skin name.
    QHeaderView* header = tree->header();
    const QFontMetrics metrics(tree->font());
    const int padding = 3 * metrics.averageCharWidth();
    header->resizeSection(
        0, std::max(header->sectionSize(0),
                    metrics.horizontalAdvance(QStringLiteral("皮肤名称皮肤名称皮肤名称.vsf")) + padding));
    for (int section = 1; section < header->count() && section < 4; ++section)
        header->setSectionResizeMode(section, QHeaderView::ResizeToContents);
    // The widest size, type and date the dialog usually shows: the date as the locale writes it.
    const QString date =
        QLocale::system().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
    const int columns = header->sectionSize(0) + metrics.horizontalAdvance(QStringLiteral("1023.99 KiB")) +
                        metrics.horizontalAdvance(QStringLiteral("plain text document")) +
                        metrics.horizontalAdvance(date) + 3 * padding;
    // Beside the view the dialog holds its side bar, the scroll bar and margins.
    constexpr int kBesideView = 240;
    dialog.resize(std::max(dialog.width(), columns + kBesideView), std::max(dialog.height(), 440));
}

QMessageBox::StandardButton CDialogProvider::MessageBox(QWidget* parent, const QString& text,
                                                        const QString& caption,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    // Paths and addresses in a message can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // The button that throws changes away says so plainly.
    if (QAbstractButton* discard = box.button(QMessageBox::Discard))
        discard->setText(QCoreApplication::translate("CDialogProvider", "不保存"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton
CDialogProvider::Choose(QWidget* parent, const QString& text, const QString& caption,
                        const QList<std::pair<QMessageBox::StandardButton, QString>>& buttons,
                        QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (const auto& [button, buttonText] : buttons)
        box.addButton(button)->setText(buttonText);
    if (!buttons.isEmpty())
        box.setDefaultButton(buttons.constFirst().first);
    box.exec();
    return box.clickedButton() != nullptr ? box.standardButton(box.clickedButton()) : QMessageBox::NoButton;
}

QString CDialogProvider::GetOpenFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    FitFileDialog(dialog);
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
    FitFileDialog(dialog);
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

bool CDialogProvider::OpenUrl(const QUrl& url)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!url.isEmpty() && !url.isLocalFile())
        return OpenWithXdgOpen(url);
#endif
    return QDesktopServices::openUrl(url);
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

QString PromptCaption()
{
    return QCoreApplication::translate("CDialogProvider", "Vadi提示");
}

QMessageBox::Icon IconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Failure:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

void ShowMessage(QWidget* parent, MessageKind kind, const QString& text)
{
    CDialogProvider::Instance().MessageBox(parent, text, PromptCaption(), QMessageBox::Ok, IconOf(kind));
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    return CDialogProvider::Instance().MessageBox(parent, text, PromptCaption(),
                                                  QMessageBox::Yes | QMessageBox::No,
                                                  IconOf(MessageKind::Warning)) == QMessageBox::Yes;
}

QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& text)
{
    return CDialogProvider::Instance().MessageBox(
        parent, text, PromptCaption(), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        IconOf(MessageKind::Warning), QMessageBox::Save);
}

void OpenInBrowser(QWidget* parent, const QUrl& url)
{
    if (CDialogProvider::Instance().OpenUrl(url) || url.isEmpty())
        return;
    ShowMessage(parent, MessageKind::Warning, NoBrowserText(url));
}
