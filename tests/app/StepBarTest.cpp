#include "app/CStepBar.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
struct SixSteps {
    SixSteps()
    {
        parent.resize(800, 400);
        bar.SetBar(&parent, QRect(0, 0, 600, 30));
        for (int i = 0; i < 6; ++i) {
            pages[i] = new QWidget(&parent);
            bar.AddStep(QStringLiteral("step %1").arg(i + 1), pages[i]);
        }
        parent.show();
    }
    std::vector<bool> Enabled() const
    {
        std::vector<bool> result;
        for (int i = 0; i < bar.Count(); ++i)
            result.push_back(bar.Button(i)->isEnabled());
        return result;
    }
    std::vector<bool> PagesVisible() const
    {
        std::vector<bool> result;
        for (QWidget* page : pages)
            result.push_back(page->isVisible());
        return result;
    }
    QWidget parent;
    CStepBar bar;
    QWidget* pages[6] = {};
};
} // namespace

TEST(StepBar, TabsShareTheBarAndStartDisabledWithPagesHidden)
{
    SixSteps steps;
    ASSERT_EQ(steps.bar.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        QPushButton* tab = steps.bar.Button(i);
        EXPECT_EQ(tab->geometry(), QRect(i * 100, 0, 100, 30)) << i;
        EXPECT_EQ(tab->objectName(), QStringLiteral("step%1").arg(30001 + i));
        EXPECT_EQ(tab->text(), QStringLiteral("step %1").arg(i + 1));
        EXPECT_TRUE(tab->isVisible());
        EXPECT_EQ(steps.bar.Page(i), steps.pages[i]);
    }
    EXPECT_EQ(steps.Enabled(), std::vector<bool>(6, false));
    EXPECT_EQ(steps.PagesVisible(), std::vector<bool>(6, false));
    EXPECT_EQ(steps.bar.CurrentStep(), -1);
}

TEST(StepBar, SelectStepEnablesUpToItAndShowsOnlyItsPage)
{
    SixSteps steps;
    steps.bar.SelectStep(2);
    EXPECT_EQ(steps.Enabled(), (std::vector<bool>{true, true, true, false, false, false}));
    EXPECT_EQ(steps.PagesVisible(), (std::vector<bool>{false, false, true, false, false, false}));
    EXPECT_EQ(steps.bar.CurrentStep(), 2);

    steps.bar.SelectStep(5);
    EXPECT_EQ(steps.Enabled(), std::vector<bool>(6, true));
    EXPECT_EQ(steps.PagesVisible(), (std::vector<bool>{false, false, false, false, false, true}));

    // Going back disables the later tabs again.
    steps.bar.SelectStep(1);
    EXPECT_EQ(steps.Enabled(), (std::vector<bool>{true, true, false, false, false, false}));
    EXPECT_EQ(steps.PagesVisible(), (std::vector<bool>{false, true, false, false, false, false}));
}

TEST(StepBar, OutOfRangeSelectionAndEnablingChangeNothing)
{
    SixSteps steps;
    steps.bar.SelectStep(3);
    steps.bar.SelectStep(6);
    steps.bar.SelectStep(-1);
    steps.bar.EnableStep(7, true);
    EXPECT_EQ(steps.bar.CurrentStep(), 3);
    EXPECT_EQ(steps.Enabled(), (std::vector<bool>{true, true, true, true, false, false}));
    EXPECT_EQ(steps.bar.Button(6), nullptr);

    steps.bar.EnableStep(3, false);
    steps.bar.EnableStep(5, true);
    EXPECT_EQ(steps.Enabled(), (std::vector<bool>{true, true, true, false, false, true}));
}

TEST(StepBar, AddingATabLaysAllOutAgainAndDisablesThem)
{
    QWidget parent;
    CStepBar bar;
    bar.SetBar(&parent, QRect(10, 5, 300, 20));
    bar.AddStep("a", nullptr);
    bar.SelectStep(0);
    EXPECT_EQ(bar.Button(0)->geometry(), QRect(10, 5, 300, 20));
    bar.AddStep("b", nullptr);
    bar.AddStep("c", nullptr);
    bar.AddStep("d", nullptr);
    EXPECT_FALSE(bar.Button(0)->isEnabled());
    // 300 / 4 = 75 each.
    EXPECT_EQ(bar.Button(3)->geometry(), QRect(235, 5, 75, 20));
}
