#include "app/CWizardApp.h"
#include "app/CSkinViewerWnd.h"

#include "app/CWizardDlg.h"
#include "app/ProgramIcon.h"
#include "flash/ui/FlashEngine.h"
#include "imaging/ImageLoading.h"
#include "pages/CSkinHeadDlg.h"
#include "platform/UserFolders.h"
#include "skin/RecoveryFolders.h"
#include "ui/CDialogProvider.h"
#include "ui/QtTranslation.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

CWizardApp::CWizardApp(int& argc, char** argv, UiLanguage language) : QApplication(argc, argv)
{
    // ASCII names for what the system sees: the window class, the Wayland application id and the
    // user's folders (~/.cache/skinmaker); the translated name is only shown.
    setOrganizationName(QString());
    setApplicationName(QString::fromLatin1(kProgramId));
    setDesktopFileName(QString::fromLatin1(kDesktopId));
    setWindowIcon(ProgramIcon());
    // The wizard's texts are Chinese, or English from its catalogues; the buttons and dialogs Qt
    // draws for it speak the same language.
    InstallUiLanguage(*this, language,
                      {QStringLiteral("skincore"), QStringLiteral("skinflash"), QStringLiteral("skinmaker")});
    if (language == UiLanguage::Chinese)
        InstallQtChineseTranslation(*this);
    setApplicationDisplayName(ProgramDisplayName());
    AdoptOldUserCache();
    // Picture decoding is set up once, here on the user-interface thread, before any loader runs.
    EnsureImageIo();
    // Help and upload links go to the program's own site unless SKINMAKER_SITE names another.
    ServeSiteLinksLocally();
}

void CWizardApp::AdoptOldUserCache()
{
    // Versions before the ASCII name kept their cache under the Chinese organisation and program
    // names; it is taken over once, when the new folder does not exist yet.
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString current = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (generic.isEmpty() || current.isEmpty())
        return;
    const QString oldOrganisation = generic + QStringLiteral("/应用程序向导生成的本地应用程序");
    if (AdoptOldFolder(oldOrganisation + QStringLiteral("/Vadi音乐盒皮肤制作工具"), current))
        QDir().rmdir(oldOrganisation); // only when nothing else is left in it
}

int CWizardApp::Run()
{
    // --view PKG: only the skin viewer, on that package.
    const QStringList options = arguments().mid(1);
    if (const qsizetype at = options.indexOf(QStringLiteral("--view")); at >= 0) {
        if (at + 1 >= options.size()) {
            std::fprintf(stderr, "skinmaker: %s\n", qUtf8Printable(tr("--view 需要一个皮肤包")));
            return 2;
        }
        auto* viewer = new CSkinViewerWnd;
        QString error;
        if (!viewer->OpenPackageFile(QFileInfo(options[at + 1]).absoluteFilePath(), &error)) {
            delete viewer;
            std::fprintf(stderr, "skinmaker: %s\n", error.toLocal8Bit().constData());
            ShowMessage(nullptr, MessageKind::Warning, error);
            return 1;
        }
        viewer->show();
        const int code = exec();
        WaitForFlashEnginePreload();
        return code;
    }
    // One modal wizard; the program ends when it closes.
    CWizardDlg wizard;
    // Once the window is up: a skin left unsaved by a wizard that ended is offered first.
    QTimer::singleShot(0, &wizard, [&wizard] { wizard.StartRecovery(RecoveryRoot()); });
    const QString file = StartupFile(arguments().mid(1));
    if (!file.isEmpty()) {
        // Opened once the window is up, as if the file had been dropped on the first step.
        QTimer::singleShot(0, &wizard, [&wizard, file] { wizard.HeadPage()->OpenChosenFile(file); });
    }
    wizard.exec();
    // Ended early (closed or SIGTERM at once), the engine's library may still be loading.
    WaitForFlashEnginePreload();
    return 0;
}

QString StartupFile(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')))
            return QFileInfo(argument).absoluteFilePath();
    }
    return {};
}
