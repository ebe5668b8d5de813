#include "app/WizardCommands.h"

#include "app/CSkinViewerWnd.h"

#include "controls/CPngItem.h"
#include "flash/core/SwfHeader.h"
#include "platform/PackageLimits.h"
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

// False (after telling the user) when the skin's name is missing or cannot be stored in a package.
bool CheckName(QWidget* parent, const SkinDocument& document)
{
    const QString& name = document.SkinName();
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

CommandOutcome SaveSkinCommand(QWidget* parent, SkinDocument& document, QString* savedPath)
{
    if (!CheckName(parent, document))
        return CommandOutcome::Cancelled;
    CDialogProvider& dialogs = CDialogProvider::Instance();

    QString initial = document.SkinName();
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

    const BuildResult result = BuildPackage(document, path);
    if (!result.ok) {
        // The skin is not on disk: say why; it stays modified, so that Exit still asks.
        ShowMessage(parent, MessageKind::Failure, WizardCommands::tr("保存皮肤失败：%1").arg(result.error));
        return CommandOutcome::Failed;
    }
    document.SetModified(false);
    if (savedPath)
        *savedPath = path;
    return CommandOutcome::Done;
}

CommandOutcome TryNowCommand(QWidget* parent, const SkinDocument& document)
{
    if (!CheckName(parent, document))
        return CommandOutcome::Cancelled;
    if (!IsUsableFileName(document.SkinName())) {
        ShowMessage(parent, MessageKind::Warning,
                    WizardCommands::tr(
                        "皮肤名称不能包含下列字符：/ \\ : * ? \" < > | 以及控制字符，请修改皮肤名称。"));
        return CommandOutcome::Cancelled;
    }

    const PlayerCheck player = CheckPlayer();
    if (player.status == PlayerStatus::NotInstalled) {
        // Without a player the skin is shown in the viewer, which offers the install link.
        SkinViewResult view = SkinViewOfSkin(document.Content());
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
    const QString packagePath = TryPackagePath(document.SkinName());
    const BuildResult result = BuildPackage(document, packagePath);
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

CommandOutcome OpenPackageCommand(QWidget* parent, SkinDocument& document, const QString& packagePath)
{
    SkinContent skin = document.Content();
    const OpenResult result = OpenPackage(packagePath, skin);
    if (!result.ok) {
        ShowMessage(parent, MessageKind::Warning, WizardCommands::tr("无法打开皮肤包：%1").arg(result.error));
        return CommandOutcome::Failed;
    }
    // What the previews cannot show would go into the next package broken: it is left out. Every
    // control plays at its movie's own size.
    int unreadable = 0;
    QList<CornerItem> shown;
    for (CornerItem item : skin.items) {
        if (item.IsDecoration()) {
            CPngItem picture;
            if (!picture.LoadFromFile(item.file))
                continue;
            item.size = picture.Size();
        } else {
            const SwfFrameSize frame = ReadSwfFrameSize(item.file);
            if (!frame.ok) {
                ++unreadable;
                continue;
            }
            // A movie's header may declare any stage; no real control is larger than an item may be.
            item.size = QSize(std::min(frame.width, kMaxItemSide), std::min(frame.height, kMaxItemSide));
        }
        shown.append(item);
    }
    skin.items = shown;
    document.Load(std::move(skin));

    QStringList problems;
    if (!result.warning.isEmpty())
        problems.append(result.warning);
    if (result.controlsLeftOut > 0)
        problems.append(WizardCommands::tr("皮肤包中有%1个附加控件未载入：一个皮肤最多有%2个附加控件，"
                                           "且每个控件的文件都要在皮肤包中。")
                            .arg(result.controlsLeftOut)
                            .arg(SkinDocument::kMaxExtraControls));
    if (unreadable > 0)
        problems.append(
            WizardCommands::tr("皮肤包中有%1个控件不是有效的Flash文件，未载入。").arg(unreadable));
    if (!problems.isEmpty())
        ShowMessage(parent, MessageKind::Warning, problems.join('\n'));
    return CommandOutcome::Done;
}
