#include "imaging/TextContrast.h"

#include <gtest/gtest.h>

namespace {

TEST(TextContrast, RatioRunsFromOneToTwentyOneEitherWayRound)
{
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35)), 1.0, 1e-9);
    // Pure blue links on a dark window: what made them hard to read.
    EXPECT_LT(ContrastRatio(QColor(0, 0, 255), QColor(0x35, 0x35, 0x35)), 2.0);
    // White on the classic grey panel; black on it reads well.
    EXPECT_NEAR(ContrastRatio(Qt::white, QColor(192, 192, 192)), 1.82, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::black, QColor(192, 192, 192)), 11.54, 0.01);
}

TEST(TextContrast, ReadableColourKeepsWhatIsReadableAndMendsTheRest)
{
    const QColor lightWindow(0xef, 0xef, 0xef);
    const QColor darkWindow(0x35, 0x35, 0x35);
    // Already readable: unchanged, so a light desktop looks as before.
    EXPECT_EQ(ReadableOn(QColor(0, 0, 255), lightWindow), QColor(0, 0, 255));
    EXPECT_EQ(ReadableOn(QColor(0xc0, 0, 0), lightWindow), QColor(0xc0, 0, 0));
    struct Case {
        QColor wanted;
        QColor background;
        bool lighter;
    };
    for (const Case& c :
         {Case{QColor(0, 0, 255), darkWindow, true}, Case{QColor(0xc0, 0, 0), darkWindow, true},
          Case{QColor(255, 0, 0), lightWindow, false},
          Case{QColor(0x80, 0x80, 0x80), QColor(0x70, 0x70, 0x70), true}}) {
        const QColor mended = ReadableOn(c.wanted, c.background);
        EXPECT_GE(ContrastRatio(mended, c.background), kReadableContrast) << c.wanted.name().toStdString();
        EXPECT_EQ(RelativeLuminance(mended) > RelativeLuminance(c.wanted), c.lighter)
            << c.wanted.name().toStdString();
        // The hue stays recognisable: the strongest channel is still the strongest.
        if (c.wanted.blue() > c.wanted.red()) {
            EXPECT_GT(mended.blue(), mended.red());
        }
        if (c.wanted.red() > c.wanted.blue()) {
            EXPECT_GT(mended.red(), mended.blue());
        }
    }
}

} // namespace
