#include "controls/CPictureLabel.h"
#include "controls/CPictureViewLabel.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A picture whose left half is red and right half blue.
QString WriteHalves(const skintest::ScratchDir& dir, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    const QString path = dir.file("halves.png");
    EXPECT_TRUE(image.save(path));
    return path;
}

QImage Grab(QWidget& widget, const QColor& background)
{
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, background);
    widget.setPalette(palette);
    return widget.grab().toImage();
}

QRgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}
} // namespace

TEST(PictureLabel, ShowsItsPictureScaledIntoTheWholeLabel)
{
    skintest::ScratchDir dir;
    CPictureLabel label;
    EXPECT_FALSE(label.HasPicture());
    ASSERT_TRUE(label.LoadFromFile(WriteHalves(dir, 40, 10)));
    EXPECT_TRUE(label.HasPicture());
    EXPECT_EQ(label.GetSize(), QSize(40, 10));
    EXPECT_TRUE(label.GetPicture()->HasPicture());

    label.resize(80, 30);
    const QImage shot = Grab(label, Qt::green);
    EXPECT_EQ(At(shot, 2, 2), 0xFF0000u);
    EXPECT_EQ(At(shot, 77, 27), 0x0000FFu);

    label.ResizeToPicture();
    EXPECT_EQ(label.size(), QSize(40, 10));
}

TEST(PictureLabel, StaysEmptyWhenThePictureCannotBeLoaded)
{
    skintest::ScratchDir dir;
    skintest::WriteAll(dir.file("broken.png"), "not a picture");
    CPictureLabel label;
    EXPECT_FALSE(label.LoadFromFile(dir.file("broken.png")));
    EXPECT_FALSE(label.LoadFromFile(dir.file("missing.bmp")));
    EXPECT_FALSE(label.LoadFromResource(999999, ResourceType::Bitmap));
    EXPECT_FALSE(label.HasPicture());

    label.resize(30, 20);
    label.ResizeToPicture();
    EXPECT_EQ(label.size(), QSize(30, 20));
    const QImage shot = Grab(label, Qt::green);
    EXPECT_EQ(At(shot, 15, 10), 0x00FF00u);
}

TEST(PictureLabel, LeftClickIsReported)
{
    CPictureLabel label;
    label.resize(21, 20);
    QSignalSpy clicked(&label, &CPictureLabel::clicked);
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(PictureViewLabel, ShowsARegionOfABorrowedPicture)
{
    skintest::ScratchDir dir;
    SharedPicture source = std::make_shared<CSkinImage>();
    ASSERT_TRUE(source->LoadFromFile(WriteHalves(dir, 40, 10)));

    CPictureViewLabel label;
    label.resize(30, 20);
    label.SetSourcePicture(source);
    EXPECT_TRUE(label.HasPicture());
    label.SetSourceRect({20, 0, 40, 10});
    QImage shot = Grab(label, Qt::green);
    EXPECT_EQ(At(shot, 1, 1), 0x0000FFu);
    EXPECT_EQ(At(shot, 28, 18), 0x0000FFu);

    label.SetSourceRect({0, 0, 20, 10});
    shot = Grab(label, Qt::green);
    EXPECT_EQ(At(shot, 28, 18), 0xFF0000u);
}

TEST(PictureViewLabel, WithoutARegionItShowsItsOwnPicture)
{
    skintest::ScratchDir dir;
    SharedPicture source = std::make_shared<CSkinImage>();
    ASSERT_TRUE(source->LoadFromFile(WriteHalves(dir, 40, 10)));
    QImage blue(8, 8, QImage::Format_ARGB32);
    blue.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(blue.save(dir.file("blue.png")));

    CPictureViewLabel label;
    label.resize(30, 20);
    label.SetSourcePicture(source);
    // Empty region, no own picture: nothing is drawn.
    EXPECT_EQ(At(Grab(label, Qt::green), 5, 5), 0x00FF00u);

    ASSERT_TRUE(label.LoadFromFile(dir.file("blue.png")));
    EXPECT_EQ(At(Grab(label, Qt::green), 5, 5), 0x0000FFu);
}

TEST(PictureViewLabel, ClearForgetsEverything)
{
    skintest::ScratchDir dir;
    CPictureViewLabel label;
    label.resize(30, 20);
    ASSERT_TRUE(label.LoadFromFile(WriteHalves(dir, 40, 10)));
    {
        SharedPicture source = std::make_shared<CSkinImage>();
        ASSERT_TRUE(source->LoadFromFile(WriteHalves(dir, 40, 10)));
        label.SetSourcePicture(source);
        label.SetSourceRect({0, 0, 20, 10});
        label.Clear();
    }
    // The borrowed picture is gone; painting must not touch it.
    EXPECT_FALSE(label.HasPicture());
    EXPECT_EQ(label.SourcePicture(), nullptr);
    EXPECT_TRUE(label.SourceRect().IsNull());
    EXPECT_FALSE(label.GetPicture()->HasPicture());
    EXPECT_EQ(At(Grab(label, Qt::green), 5, 5), 0x00FF00u);
}

TEST(PictureViewLabel, ARegionWithoutAPictureDrawsNothing)
{
    CPictureViewLabel label;
    label.resize(30, 20);
    label.SetSourcePicture(nullptr);
    label.SetSourceRect({0, 0, 20, 10});
    EXPECT_EQ(At(Grab(label, Qt::green), 5, 5), 0x00FF00u);
}
