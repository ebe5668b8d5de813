// The interface's locale when the system names none, and file dialogs whose columns fit.
#include "support/TestSupport.h"
#include "ui/CDialogProvider.h"
#include "ui/QtTranslation.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QStyle>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <map>

namespace {

// Puts the locale variables back as they were.
class LocaleVariables {
public:
    LocaleVariables()
    {
        for (const char* name : kNames) {
            if (qEnvironmentVariableIsSet(name))
                m_saved[name] = qgetenv(name);
        }
    }
    ~LocaleVariables()
    {
        for (const char* name : kNames) {
            if (m_saved.count(name))
                qputenv(name, m_saved[name]);
            else
                qunsetenv(name);
        }
    }
    static void Set(const QByteArray& all, const QByteArray& lang)
    {
        for (const char* name : kNames)
            qunsetenv(name);
        if (!all.isNull())
            qputenv("LC_ALL", all);
        if (!lang.isNull())
            qputenv("LANG", lang);
    }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LC_TIME", "LANG"};
    std::map<const char*, QByteArray> m_saved;
};

} // namespace

TEST(InterfaceLocale, ChineseOnlyWhenTheEnvironmentNamesNoLanguageAndPutBackAfterwards)
{
    LocaleVariables saved;
    for (const QByteArray& none :
         {QByteArray(), QByteArray("C"), QByteArray("C.UTF-8"), QByteArray("POSIX")}) {
        LocaleVariables::Set(QByteArray(), none);
        const LocaleFallback fallback = FallBackToChineseLocale();
        EXPECT_TRUE(fallback.applied) << none.constData();
        EXPECT_EQ(qgetenv("LC_ALL"), "zh_CN.UTF-8");
        RestoreLocaleEnvironment(fallback);
        EXPECT_FALSE(qEnvironmentVariableIsSet("LC_ALL"));
        EXPECT_EQ(qgetenv("LANG"), none);
    }
    LocaleVariables::Set("C", QByteArray());
    RestoreLocaleEnvironment(FallBackToChineseLocale());
    EXPECT_EQ(qgetenv("LC_ALL"), "C");

    for (const QByteArray& named : {QByteArray("en_US.UTF-8"), QByteArray("de_DE")}) {
        LocaleVariables::Set(QByteArray(), named);
        EXPECT_FALSE(FallBackToChineseLocale().applied) << named.constData();
        EXPECT_FALSE(qEnvironmentVariableIsSet("LC_ALL"));
        LocaleVariables::Set(named, QByteArray());
        EXPECT_FALSE(FallBackToChineseLocale().applied) << named.constData();
        EXPECT_EQ(qgetenv("LC_ALL"), named);
    }
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
