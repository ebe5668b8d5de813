// Packages a stranger could hand over, opened by the skin viewer and the wizard: each is shown in
// bounded time and memory, with a line saying what was brought within bounds, or refused.
#include "app/CSkinViewerWnd.h"
#include "app/CWizardDlg.h"
#include "skin/SkinViewPicture.h"
#include "skin/WinePrefixFixture.h"
#include "support/FakeDialogs.h"
#include "support/HostileInput.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using skintest::HostilePackage;

TEST(HostilePackages, ViewerAndWizardShowThemWithinTimeAndMemoryOrRefuseThem)
{
    const skintest::ScratchDir temp;
    const skintest::ScopedEnv tmpdir("TMPDIR", temp.path().toUtf8());
    FakeDialogs dialogs;
    for (HostilePackage kind :
         {HostilePackage::HugeControl, HostilePackage::SpreadItems, HostilePackage::HugeDecoration}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const skintest::ScratchDir folder;
        const QString package = skintest::WriteHostilePackage(folder.path(), kind);
        ASSERT_FALSE(package.isEmpty());
        const bool refused = kind == HostilePackage::HugeDecoration;

        const bool peakCounted = skintest::ResetPeakResident();
        const long before = skintest::ResidentKiB();
        {
            CSkinViewerWnd viewer;
            QString error;
            EXPECT_EQ(viewer.OpenPackageFile(package, &error), !refused) << error.toStdString();
            viewer.show();
            viewer.resize(1400, 1000);
            QTest::qWait(50);
            if (refused) {
                EXPECT_TRUE(error.contains(QStringLiteral("装饰"))) << error.toStdString();
            } else {
                EXPECT_FALSE(viewer.OpenWarningLine()->isHidden());
                EXPECT_LE(viewer.Picture().width(), viewer.PlayerWindowSize().width() + 2 * kMaxCanvasMargin);
                EXPECT_LE(viewer.Picture().height(),
                          viewer.PlayerWindowSize().height() + 2 * kMaxCanvasMargin);
            }
        }
        {
            dialogs.messages.clear();
            CWizardDlg wizard;
            EXPECT_EQ(wizard.OpenPackage(package), !refused);
            // A warning of what was changed, or why the package was refused.
            EXPECT_EQ(dialogs.messages.size(), 1) << dialogs.MessageTexts().join('|').toStdString();
        }
        if (peakCounted && skintest::MemoryIsMeasurable()) {
            EXPECT_LT(skintest::PeakResidentKiB() - before, 300 * 1024);
        }
    }
}
