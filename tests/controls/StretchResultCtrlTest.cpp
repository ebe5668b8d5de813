// The stretch page's result preview: where the header's pieces go on a wide player, and what
// ends up on screen.
#include "controls/CStretchResultCtrl.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

constexpr SkinRect kCrop{0, 0, 700, 61};
constexpr SkinRect kRegion{100, 0, 120, 61};

std::vector<StretchPiece> MiddlePieces(const std::vector<StretchPiece>& pieces)
{
    return std::vector<StretchPiece>(pieces.begin() + 2, pieces.end());
}

TEST(StretchResultPieces, StretchPutsTheRegionBetweenTheOuterParts)
{
    const auto pieces = StretchResultPieces(850, kCrop, kRegion, StretchMode::Stretch);
    ASSERT_EQ(pieces.size(), 3u);
    // Margin 2: the left part ends at lw = 100 itself, the right part ends at 848.
    EXPECT_EQ(pieces[0], (StretchPiece{{2, 2, 100, 63}, {0, 0, 100, 61}}));
    EXPECT_EQ(pieces[1], (StretchPiece{{266, 2, 848, 63}, {120, 0, 700, 61}}));
    EXPECT_EQ(pieces[2], (StretchPiece{{100, 2, 266, 63}, kRegion}));
}

TEST(StretchResultPieces, TilesRepeatTheRegionAndEndWithAPartialTile)
{
    const auto middle = MiddlePieces(StretchResultPieces(850, kCrop, kRegion, StretchMode::Tile));
    ASSERT_EQ(middle.size(), 9u);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(middle[k], (StretchPiece{{100 + 20 * k, 2, 120 + 20 * k, 63}, kRegion})) << k;
    // Six pixels left before 266: the region's first six columns.
    EXPECT_EQ(middle[8], (StretchPiece{{260, 2, 266, 63}, {100, 0, 106, 61}}));
}

TEST(StretchResultPieces, ScalesToTheHeaderHeightOnATallCrop)
{
    // Crop 122 high: everything is halved. The gap of 180 holds five 30-pixel tiles; the sixth
    // exactly fits and is drawn as the last piece from the whole region.
    const SkinRect crop{0, 0, 1400, 122};
    const SkinRect region{200, 0, 260, 122};
    const auto pieces = StretchResultPieces(854, crop, region, StretchMode::Tile);
    EXPECT_EQ(pieces[0], (StretchPiece{{2, 2, 100, 63}, {0, 0, 200, 122}}));
    EXPECT_EQ(pieces[1], (StretchPiece{{280, 2, 852, 63}, {260, 0, 1400, 122}}));
    const auto middle = MiddlePieces(pieces);
    ASSERT_EQ(middle.size(), 6u);
    EXPECT_EQ(middle[4].destination, (SkinRect{220, 2, 250, 63}));
    EXPECT_EQ(middle[5], (StretchPiece{{250, 2, 280, 63}, region}));
}

TEST(StretchResultPieces, ANarrowRegionOnATallCropTilesOnePixelAtATime)
{
    // 1 x 200 pixels scale to a tile width of 0; tiles of one pixel fill the gap without holes
    // and never take pixels from outside the region.
    const SkinRect crop{0, 0, 700, 200};
    const SkinRect region{300, 0, 301, 200};
    const auto pieces = StretchResultPieces(850, crop, region, StretchMode::Tile);
    const auto middle = MiddlePieces(pieces);
    const int lw = 61 * 300 / 200;
    const int rs = 848 - 2 - 61 * 399 / 200;
    ASSERT_EQ(static_cast<int>(middle.size()), rs - lw);
    int x = lw;
    for (const StretchPiece& piece : middle) {
        EXPECT_EQ(piece.destination.left, x);
        EXPECT_EQ(piece.destination.Width(), 1);
        EXPECT_EQ(piece.source, region);
        x = piece.destination.right;
    }
    EXPECT_EQ(x, rs);
}

TEST(StretchResultPieces, AGapNarrowerThanOneTileGetsThePartialTile)
{
    // On a 300-pixel control (margin 0) the gap is 100 pixels and a tile 500: the gap shows the
    // region's first 100 columns rather than staying empty.
    const SkinRect region{100, 0, 600, 61};
    const auto middle = MiddlePieces(StretchResultPieces(300, kCrop, region, StretchMode::Tile));
    ASSERT_EQ(middle.size(), 1u);
    EXPECT_EQ(middle[0], (StretchPiece{{100, 2, 200, 63}, {100, 0, 200, 61}}));
}

TEST(StretchResultPieces, EmptyInputsGiveNoEmptyPieces)
{
    EXPECT_TRUE(StretchResultPieces(850, SkinRect{}, kRegion, StretchMode::Tile).empty());
    EXPECT_TRUE(StretchResultPieces(0, kCrop, kRegion, StretchMode::Stretch).empty());
    // No region yet: no left part, no middle; the whole crop is the right part.
    for (const StretchMode mode : {StretchMode::Stretch, StretchMode::Tile}) {
        const auto pieces = StretchResultPieces(850, kCrop, SkinRect{}, mode);
        for (const StretchPiece& piece : pieces) {
            EXPECT_GT(piece.destination.Width(), 0);
            EXPECT_GT(piece.source.Width(), 0);
            EXPECT_GT(piece.source.Height(), 0);
        }
        ASSERT_EQ(pieces.size(), 1u) << int(mode);
        EXPECT_EQ(pieces[0].source, kCrop);
    }
}

// A 700 x 61 header: red left of the region, the region green with its first column black,
// blue right of it.
class StretchResultRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage header(700, 61, QImage::Format_ARGB32);
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 700; ++x) {
                QRgb c = qRgb(0, 0, 255);
                if (x < kRegion.left)
                    c = qRgb(255, 0, 0);
                else if (x == kRegion.left)
                    c = qRgb(0, 0, 0);
                else if (x < kRegion.right)
                    c = qRgb(0, 255, 0);
                header.setPixel(x, y, c);
            }
        const QString path = m_dir.file("header.png");
        ASSERT_TRUE(header.save(path));
        ASSERT_TRUE(m_picture->LoadFromFile(path));
        m_ctrl.resize(850, 141);
        m_ctrl.SetPicture(m_picture);
        m_ctrl.SetPictureRect(kCrop.left, kCrop.top, kCrop.right, kCrop.bottom);
        m_ctrl.SetRegion(kRegion.left, kRegion.top, kRegion.right, kRegion.bottom);
    }
    QImage Render() { return m_ctrl.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    skintest::ScratchDir m_dir;
    SharedPicture m_picture = std::make_shared<CSkinImage>();
    CStretchResultCtrl m_ctrl;
};

bool Near(QRgb pixel, QRgb expected)
{
    return std::abs(qRed(pixel) - qRed(expected)) <= 3 && std::abs(qGreen(pixel) - qGreen(expected)) <= 3 &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= 3;
}

TEST_F(StretchResultRender, TilesShowTheRegionOverAndOverAcrossTheWidePlayer)
{
    m_ctrl.SetTileMode(StretchMode::Tile);
    const QImage shot = Render();
    EXPECT_TRUE(Near(shot.pixel(50, 30), qRgb(255, 0, 0)));
    for (int x = 100; x <= 260; x += 20) {
        EXPECT_TRUE(Near(shot.pixel(x, 30), qRgb(0, 0, 0))) << x;
        EXPECT_TRUE(Near(shot.pixel(x + 3, 30), qRgb(0, 255, 0))) << x;
    }
    EXPECT_TRUE(Near(shot.pixel(270, 30), qRgb(0, 0, 255)));
    EXPECT_TRUE(Near(shot.pixel(840, 62), qRgb(0, 0, 255)));
}

TEST_F(StretchResultRender, StretchingDrawsTheRegionOnceAcrossTheGap)
{
    m_ctrl.SetTileMode(StretchMode::Stretch);
    const QImage shot = Render();
    EXPECT_TRUE(Near(shot.pixel(50, 30), qRgb(255, 0, 0)));
    for (int x = 120; x < 260; x += 20)
        EXPECT_TRUE(Near(shot.pixel(x, 30), qRgb(0, 255, 0))) << x;
    EXPECT_TRUE(Near(shot.pixel(270, 30), qRgb(0, 0, 255)));
}

// The pieces are resampled when the result changes, never while painting: a rendition of the
// picture made meanwhile (the stretch preview's header) stays in the picture's cache.
TEST_F(StretchResultRender, PaintingResamplesNothing)
{
    m_ctrl.SetTileMode(StretchMode::Tile);
    Render(); // the first one delivers the pending resize
    const QImage* header = m_picture->GetCroppedScaledBitmap(696, 61, kCrop, ResampleFilter::Hermite);
    ASSERT_NE(header, nullptr);
    const qint64 key = header->cacheKey();
    Render();
    Render();
    const QImage* after = m_picture->GetCroppedScaledBitmap(696, 61, kCrop, ResampleFilter::Hermite);
    EXPECT_EQ(after, header);
    EXPECT_EQ(after->cacheKey(), key);
}

TEST_F(StretchResultRender, ThePlayerTopAroundTheHeaderTakesTheMainColour)
{
    QImage top(BitmapResourcePath(159));
    if (top.isNull())
        GTEST_SKIP() << "bitmap 159 is not built in";
    ASSERT_EQ(top.size(), QSize(850, 141));
    const ColorRef red = MakeColorRef(255, 0, 0);
    m_ctrl.SetMainColor(red);
    const QImage shot = Render();
    // Below the header band the control shows bitmap 159 1:1, recoloured.
    const QImage expected = RecolorBitmap(top.convertToFormat(QImage::Format_ARGB32), red, 0);
    for (QPoint p : {QPoint(10, 100), QPoint(425, 120), QPoint(840, 80), QPoint(1, 1)})
        EXPECT_EQ(shot.pixel(p) & 0xFFFFFF, expected.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
}

TEST(StretchResultCtrl, DrawsNothingUntilItHasAPicture)
{
    CStretchResultCtrl ctrl;
    ctrl.resize(850, 141);
    ctrl.SetPicture(nullptr);
    EXPECT_FALSE(ctrl.HasPicture());
    ctrl.SetMainColor(MakeColorRef(255, 0, 0));
    QPixmap canvas(850, 141);
    canvas.fill(Qt::white);
    ctrl.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
    const QImage shot = canvas.toImage();
    EXPECT_EQ(shot.pixel(10, 100) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shot.pixel(400, 30) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
