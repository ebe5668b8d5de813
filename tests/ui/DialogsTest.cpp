// The interface's locale when the system names none, and file dialogs whose columns fit.
#include "support/LocaleVariables.h"
#include "support/TestSupport.h"
#include "ui/CDialogProvider.h"
#include "ui/QtTranslation.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QStyle>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

} // namespace

TEST(InterfaceLocale, ChineseOnlyWhenTheEnvironmentNamesNoLanguageAndPutBackAfterwards)
{
    LocaleVariables saved;
    for (const QByteArray& none :
         {QByteArray(), QByteArray("C"), QByteArray("C.UTF-8"), QByteArray("POSIX")}) {
        LocaleVariables::Set(QByteArray(), none);
        const LocaleFallback fallback = FallBackToLocale();
        EXPECT_TRUE(fallback.applied) << none.constData();
        EXPECT_EQ(qgetenv("LC_ALL"), "zh_CN.UTF-8");
        RestoreLocaleEnvironment(fallback);
        EXPECT_FALSE(qEnvironmentVariableIsSet("LC_ALL"));
        EXPECT_EQ(qgetenv("LANG"), none);
    }
    LocaleVariables::Set("C", QByteArray());
    RestoreLocaleEnvironment(FallBackToLocale());
    EXPECT_EQ(qgetenv("LC_ALL"), "C");

    for (const QByteArray& named : {QByteArray("en_US.UTF-8"), QByteArray("de_DE")}) {
        LocaleVariables::Set(QByteArray(), named);
        EXPECT_FALSE(FallBackToLocale().applied) << named.constData();
        EXPECT_FALSE(qEnvironmentVariableIsSet("LC_ALL"));
        LocaleVariables::Set(named, QByteArray());
        EXPECT_FALSE(FallBackToLocale().applied) << named.constData();
        EXPECT_EQ(qgetenv("LC_ALL"), named);
    }
    // A language chosen on the command line wins over the environment's, and only then changes it.
    LocaleVariables::Set(QByteArray(), "zh_CN.UTF-8");
    LocaleFallback fallback = FallBackToLocale(UiLanguage::English);
    EXPECT_EQ(qgetenv("LC_ALL"), "en_US.UTF-8");
    RestoreLocaleEnvironment(fallback);
    EXPECT_FALSE(FallBackToLocale(UiLanguage::Chinese).applied);
    LocaleVariables::Set(QByteArray(), "en_US.UTF-8");
    EXPECT_FALSE(FallBackToLocale(UiLanguage::English).applied);
}

TEST(FileDialogs, EveryColumnOfTheDetailViewShowsWhole)
{
    skintest::ScratchDir dir;
    ASSERT_TRUE(skintest::WriteAll(dir.file("晚霞的天空和远处的群山.vsf"), "package"));
    QFileDialog dialog(nullptr, QString(), dir.path(), QStringLiteral("音乐盒皮肤文件 (*.vsf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    FitFileDialog(dialog);
    dialog.show();
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(tree, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->model()->rowCount(tree->rootIndex()) == 1; }, 10000));
    const QModelIndex row = tree->model()->index(0, 0, tree->rootIndex());
    QHeaderView* header = tree->header();
    int columns = 0;
    for (int column = 0; column < 4; ++column) {
        const QString text = row.siblingAtColumn(column).data().toString();
        ASSERT_FALSE(text.isEmpty()) << column;
        // The text and the cell's margins, and the file's icon before its name.
        const int icon = column == 0 ? tree->style()->pixelMetric(QStyle::PM_SmallIconSize) + 4 : 0;
        const int margins = 2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1);
        EXPECT_LE(tree->fontMetrics().horizontalAdvance(text) + icon + margins, header->sectionSize(column))
            << column << " " << text.toStdString();
        columns += header->sectionSize(column);
    }
    EXPECT_LE(columns, tree->viewport()->width());
}
