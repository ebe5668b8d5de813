#include "app/WizardCommands.h"

#include "app/CDialogProvider.h"
#include "app/CLinkLabel.h"
#include "app/CWizardDlg.h"
#include "pages/CWizardPage.h"
#include "skin/PlayerLookup.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

constexpr int kSavePage = 5;

QMessageBox::StandardButton Tell(CWizardDlg& wizard, const QString& text)
{
    return CDialogProvider::Instance().MessageBox(&wizard, text, PromptCaption(), QMessageBox::Ok);
}

bool AskYesNo(CWizardDlg& wizard, const QString& text)
{
    return CDialogProvider::Instance().MessageBox(&wizard, text, PromptCaption(),
                                                  QMessageBox::Yes | QMessageBox::No,
                                                  QMessageBox::Warning) == QMessageBox::Yes;
}

// Takes the name and thumbnail from the save page; false (after telling the user) when the
// name is missing or cannot be stored in a package.
bool CollectSavePage(CWizardDlg& wizard)
{
    wizard.Page(kSavePage)->SaveToProject(wizard.Project());
    const QString& name = wizard.Project().skinName;
    if (name.isEmpty()) {
        Tell(wizard, QStringLiteral("请输入皮肤名称"));
        return false;
    }
    if (const QString problem = CheckSkinName(name); !problem.isEmpty()) {
        Tell(wizard, problem);
        return false;
    }
    return true;
}

// The package for trying is named after the skin: the name must be usable as a file name.
bool IsUsableFileName(const QString& name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c))
            return false;
    }
    return true;
}

void OpenHomePage()
{
    QDesktopServices::openUrl(QUrl(CLinkLabel::SiteUrl(QStringLiteral("/"))));
}

} // namespace

void SaveSkinCommand(CWizardDlg& wizard)
{
    if (!CollectSavePage(wizard))
        return;
    SkinProject& project = wizard.Project();
    CDialogProvider& dialogs = CDialogProvider::Instance();

    QString initial = project.skinName;
    QString path;
    for (;;) {
        path = dialogs.GetSaveFileName(&wizard, QStringLiteral("音乐盒皮肤文件 (*.vsf)"),
                                       QStringLiteral("vsf"), initial);
        if (path.isEmpty())
            return;
        if (!QFileInfo::exists(path))
            break;
        if (AskYesNo(wizard, QDir::toNativeSeparators(path) + QStringLiteral("已存在。\n 要替换它吗？")))
            break;
        initial = path;
    }

    const BuildResult result = BuildPackage(project, path);
    if (!result.ok) {
        // The skin is not on disk: say why, and leave the saved flag so that Exit still warns.
        Tell(wizard, QStringLiteral("保存皮肤失败：") + result.error);
        return;
    }
    wizard.SetSaved(true);
}

void TryNowCommand(CWizardDlg& wizard)
{
    if (!CollectSavePage(wizard))
        return;
    SkinProject& project = wizard.Project();
    if (!IsUsableFileName(project.skinName)) {
        Tell(wizard,
             QStringLiteral("皮肤名称不能包含下列字符：/ \\ : * ? \" < > | 以及控制字符，请修改皮肤名称。"));
        return;
    }

    const PlayerCheck player = CheckPlayer();
    if (player.status == PlayerStatus::NotInstalled) {
        if (AskYesNo(wizard, QStringLiteral("您没有安装音乐盒，是否现在安装")))
            OpenHomePage();
        return;
    }
    if (player.status == PlayerStatus::TooOld) {
        if (AskYesNo(wizard, QStringLiteral("您的音乐盒不支持换肤，是否安装高版本的音乐盒")))
            OpenHomePage();
        return;
    }

    const QString packagePath = TempFolder() + QLatin1Char('/') + project.skinName + QStringLiteral(".vsf");
    const BuildResult result = BuildPackage(project, packagePath);
    if (!result.ok) {
        Tell(wizard, QStringLiteral("生成试用皮肤失败：") + result.error);
        return;
    }
    // The player gets the package path as its one argument; no shell is involved.
    if (!QProcess::startDetached(player.program(), {QDir::toNativeSeparators(packagePath)}))
        Tell(wizard, QStringLiteral("无法启动音乐盒：") + QDir::toNativeSeparators(player.program()));
}

int OpenPackageCommand(CWizardDlg& wizard, const QString& packagePath)
{
    SkinProject& project = wizard.Project();
    const OpenResult result = OpenPackage(packagePath, project);
    if (!result.ok) {
        Tell(wizard, QStringLiteral("无法打开皮肤包：") + result.error);
        return 0;
    }
    // Page 6 before page 5, as the pages have always been told.
    for (const int page : {0, 1, 2, 3, 5, 4})
        wizard.Page(page)->ShowOpenedProject(project);
    return 1;
}
