#include "controls/CSkinButton2.h"
#include "controls/CSwatchRow.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A button and four swatches in a row after it, in an active window.
class SwatchRowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The window's first focus goes to the button, not to the row.
        auto* button = new QPushButton(QStringLiteral("OK"), &window);
        button->setGeometry(120, 10, 40, 20);
        for (int i = 0; i < 4; ++i) {
            swatches.append(new CSkinButton2(&window));
            swatches[i]->setGeometry(10 + 24 * i, 10, 20, 20);
        }
        row = new CSwatchRow(swatches, &window);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QList<CSkinButton2*> swatches;
    CSwatchRow* row = nullptr;
};

TEST_F(SwatchRowTest, TheRowIsOneTabStopAtItsSelectedSwatch)
{
    EXPECT_EQ(row->TabStop(), swatches[0]);
    swatches[2]->SetSelected(true);
    row->Refresh();
    EXPECT_EQ(row->TabStop(), swatches[2]);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(swatches[i]->focusPolicy() == Qt::TabFocus, i == 2) << i;
    // A selected swatch that cannot be chosen hands the stop to the first one that can.
    swatches[2]->hide();
    swatches[0]->setEnabled(false);
    EXPECT_EQ(row->TabStop(), swatches[1]);
    EXPECT_EQ(swatches[1]->focusPolicy(), Qt::TabFocus);
}

TEST_F(SwatchRowTest, ArrowsMoveAlongTheRowOverHiddenSwatchesAndStopAtItsEnds)
{
    swatches[1]->hide();
    swatches[0]->setFocus();
    QTest::keyClick(swatches[0], Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), swatches[2]);
    QTest::keyClick(swatches[2], Qt::Key_Right);
    QTest::keyClick(swatches[3], Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), swatches[3]);
    EXPECT_EQ(row->TabStop(), swatches[3]);
    QTest::keyClick(swatches[3], Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), swatches[2]);

    // Space and Enter choose; a selected swatch stays chosen.
    QSignalSpy clicks(swatches[2], &QAbstractButton::clicked);
    QTest::keyClick(swatches[2], Qt::Key_Space);
    QTest::keyClick(swatches[2], Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
    swatches[2]->SetSelected(true);
    QTest::keyClick(swatches[2], Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
}

} // namespace
