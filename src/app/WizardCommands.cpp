#include "app/WizardCommands.h"

#include "app/CSkinViewerWnd.h"

#include "pages/CWizardPage.h"
#include "platform/SiteLinks.h"
#include "skin/PlayerLookup.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "ui/CDialogProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// The context of the commands' messages.
class WizardCommands {
    Q_DECLARE_TR_FUNCTIONS(WizardCommands)
};

// Takes the name and thumbnail from the save page; false (after telling the user) when the
// name is missing or cannot be stored in a package.
bool CollectSavePage(QWidget* parent, SkinProject& project, CWizardPage& savePage)
{
    savePage.SaveToProject(project);
    const QString& name = project.skinName;
    if (name.isEmpty()) {
        ShowMessage(parent, MessageKind::Warning, WizardCommands::tr("请输入皮肤名称"));
        return false;
    }
    if (const QString problem = CheckSkinName(name); !problem.isEmpty()) {
        ShowMessage(parent, MessageKind::Warning, problem);
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

void OpenHomePage(QWidget* parent)
{
    const QString url = SiteUrl(SitePage::Home);
    if (NamesASite(url))
        OpenInBrowser(parent, QUrl(url));
    else
        ShowMessage(parent, MessageKind::Information, NoSiteMessage());
}

} // namespace

CommandOutcome SaveSkinCommand(QWidget* parent, SkinProject& project, CWizardPage& savePage,
                               QString* savedPath)
{
    if (!CollectSavePage(parent, project, savePage))
        return CommandOutcome::Cancelled;
    CDialogProvider& dialogs = CDialogProvider::Instance();

    QString initial = project.skinName;
    QString path;
    for (;;) {
        path = dialogs.GetSaveFileName(parent, WizardCommands::tr("音乐盒皮肤文件 (*.vsf)"),
                                       QStringLiteral("vsf"), initial);
        if (path.isEmpty())
            return CommandOutcome::Cancelled;
        if (!QFileInfo::exists(path))
            break;
        if (AskYesNo(parent,
                     WizardCommands::tr("%1已存在。\n 要替换它吗？").arg(QDir::toNativeSeparators(path))))
            break;
        initial = path;
    }

    const BuildResult result = BuildPackage(project, path);
    if (!result.ok) {
        // The skin is not on disk: say why, and leave the saved flag so that Exit still warns.
        ShowMessage(parent, MessageKind::Failure, WizardCommands::tr("保存皮肤失败：%1").arg(result.error));
        return CommandOutcome::Failed;
    }
    if (savedPath)
        *savedPath = path;
    return CommandOutcome::Done;
}

CommandOutcome TryNowCommand(QWidget* parent, SkinProject& project, CWizardPage& savePage)
{
    if (!CollectSavePage(parent, project, savePage))
        return CommandOutcome::Cancelled;
    if (!IsUsableFileName(project.skinName)) {
        ShowMessage(parent, MessageKind::Warning,
                    WizardCommands::tr(
                        "皮肤名称不能包含下列字符：/ \\ : * ? \" < > | 以及控制字符，请修改皮肤名称。"));
        return CommandOutcome::Cancelled;
    }

    const PlayerCheck player = CheckPlayer();
    if (player.status == PlayerStatus::NotInstalled) {
        // Without a player the skin is shown in the viewer, which offers the install link.
        SkinViewResult view = SkinViewOfProject(project);
        if (!view.ok) {
            ShowMessage(parent, MessageKind::Failure, view.error);
            return CommandOutcome::Failed;
        }
        auto* viewer = new CSkinViewerWnd(parent);
        viewer->SetPlayerMissing(true);
        viewer->SetView(std::move(view.view));
        viewer->show();
        return CommandOutcome::Done;
    }
    if (player.status == PlayerStatus::TooOld) {
        if (AskYesNo(parent, WizardCommands::tr("您的音乐盒不支持换肤，是否安装高版本的音乐盒")))
            OpenHomePage(parent);
        return CommandOutcome::Cancelled;
    }

    // A fresh folder of its own and a name the player's command line cannot re-read.
    if (const FolderResult folder = PrepareTryFolder(); !folder) {
        ShowMessage(parent, MessageKind::Failure,
                    WizardCommands::tr("生成试用皮肤失败：%1").arg(folder.error));
        return CommandOutcome::Failed;
    }
    const QString packagePath = TryPackagePath(project.skinName);
    const BuildResult result = BuildPackage(project, packagePath);
    if (!result.ok) {
        ShowMessage(parent, MessageKind::Failure,
                    WizardCommands::tr("生成试用皮肤失败：%1").arg(result.error));
        return CommandOutcome::Failed;
    }
    if (const StartResult started = StartPlayer(player, packagePath); !started.ok) {
        ShowMessage(parent, MessageKind::Failure, started.error);
        return CommandOutcome::Failed;
    }
    return CommandOutcome::Done;
}

CommandOutcome OpenPackageCommand(QWidget* parent, SkinProject& project, const QString& packagePath,
                                  const QList<CWizardPage*>& pages)
{
    const OpenResult result = OpenPackage(packagePath, project);
    if (!result.ok) {
        ShowMessage(parent, MessageKind::Warning, WizardCommands::tr("无法打开皮肤包：%1").arg(result.error));
        return CommandOutcome::Failed;
    }
    for (CWizardPage* page : pages)
        page->ShowOpenedProject(project);
    if (!result.warning.isEmpty())
        ShowMessage(parent, MessageKind::Warning, result.warning);
    return CommandOutcome::Done;
}
