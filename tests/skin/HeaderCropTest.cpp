#include "PackageFixture.h"

#include "imaging/CSkinImage.h"
#include "platform/HeaderSize.h"
#include "skin/HeaderCrop.h"
#include "skin/HeaderStrips.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"

#include <QImageReader>

#include <cstdlib>

namespace {

// Photos as users bring them, from header-sized to panoramas.
const QSize kPhotos[] = {{700, 525}, {1400, 1050}, {2560, 1707}, {4000, 3000}, {6000, 4000}, {8000, 1000}};

bool Inside(const SkinRect& crop, QSize picture)
{
    return crop.left >= 0 && crop.top >= 0 && crop.right <= picture.width() &&
           crop.bottom <= picture.height();
}

// The header's width as the saved strips give it: three strips at the plan's scale, or the crop
// alone scaled to the header's height.
int HeaderWidth(const SkinRect& crop, const SkinRect& stretch)
{
    if (stretch.IsNull())
        return CSkinImage::CroppedScaledSize(crop, double(kHeaderHeight) / double(crop.Height())).width();
    const StripPlan plan = PlanStrips(crop, stretch);
    int width = 0;
    for (const SkinRect& strip : {plan.left, plan.mid, plan.right}) {
        const QSize size = CSkinImage::CroppedScaledSize(strip, plan.scale);
        EXPECT_EQ(size.height(), kHeaderHeight);
        width += size.width();
    }
    return width;
}

} // namespace

TEST(HeaderCrop, DefaultCropOfAnyPhotoGivesA700PixelHeader)
{
    for (const QSize photo : kPhotos) {
        SCOPED_TRACE(testing::Message() << photo.width() << "x" << photo.height());
        const SkinRect crop = DefaultCrop(photo);
        ASSERT_FALSE(crop.IsEmpty());
        EXPECT_TRUE(Inside(crop, photo));
        // The largest crop: it spans the picture's width or its height.
        EXPECT_TRUE(crop.Width() == photo.width() || crop.Height() == photo.height());
        EXPECT_LE(std::abs(HeaderWidth(crop, DefaultStretchRegion(crop)) - kHeaderWidth), 1);
        EXPECT_LE(std::abs(HeaderWidth(crop, {}) - kHeaderWidth), 1);
    }
}

TEST(HeaderCrop, ConstrainedCropsKeepTheShapeAndStayInsideThePicture)
{
    const SkinRect kDrags[] = {
        {-500, -300, 1500, -100},   // past the left and top edges
        {5500, 3900, 8000, 4200},   // past the right and bottom edges
        {-9000, -9000, 9000, 9000}, // wider than the picture
        {100, 100, 101, 100},       // one column
        {300, 200, 100, 50},        // turned inside out
        {1000, 1000, 2400, 1122},   // an ordinary one
    };
    const QSize kPictures[] = {{6000, 4000}, {8000, 1000}, {700, 61}, {1, 1},
                               {5, 3000},    {3000, 5},    {12, 3000}};
    for (const QSize picture : kPictures) {
        const SkinRect largest = DefaultCrop(picture);
        for (const SkinRect& drag : kDrags) {
            SCOPED_TRACE(testing::Message()
                         << picture.width() << "x" << picture.height() << " crop " << drag.left << ","
                         << drag.top << "," << drag.right << "," << drag.bottom);
            const SkinRect crop = ConstrainCrop(drag, picture);
            if (largest.IsEmpty()) {
                // Too narrow for a single header row: no crop at all.
                EXPECT_TRUE(crop.IsNull());
                continue;
            }
            ASSERT_FALSE(crop.IsEmpty());
            EXPECT_TRUE(Inside(crop, picture));
            if (crop.Width() < largest.Width())
                EXPECT_EQ(crop.Height(), CropHeightForWidth(static_cast<int>(crop.Width())));
            else
                EXPECT_EQ(crop.Height(), largest.Height()); // at the picture's limit
            // Constraining again changes nothing.
            EXPECT_EQ(ConstrainCrop(crop, picture), crop);
        }
    }
}

TEST(HeaderCrop, StretchRegionStaysInsideTheCropWithAColumnOnEachSide)
{
    const SkinRect crop{100, 20, 800, 81};
    const struct {
        SkinRect region;
        SkinRect expected;
    } kCases[] = {
        {{300, 0, 400, 5}, {300, 20, 400, 81}},  // rows follow the crop
        {{0, 0, 2000, 61}, {101, 20, 799, 81}},  // past both sides
        {{799, 0, 900, 61}, {798, 20, 799, 81}}, // past the right side
        {{500, 0, 500, 61}, {500, 20, 501, 81}}, // no columns
        {{}, {}},                                // none stays none
    };
    for (const auto& [region, expected] : kCases)
        EXPECT_EQ(ConstrainStretchRegion(region, crop), expected) << region.left << "," << region.right;
    // A crop too narrow to leave a column on each side takes no region.
    EXPECT_TRUE(ConstrainStretchRegion({1, 0, 2, 1}, {0, 0, 2, 1}).IsNull());

    // Carried to another crop, the region covers the same share of the header.
    const SkinRect bigger{0, 0, 1400, 122};
    EXPECT_EQ(CarryStretchRegion({300, 20, 400, 81}, crop, bigger), (SkinRect{400, 0, 600, 122}));
    // Carried to the edge of a narrow crop, it still leaves a column on each side.
    const SkinRect narrow{10, 0, 13, 1};
    EXPECT_EQ(CarryStretchRegion({101, 20, 799, 81}, crop, narrow), (SkinRect{11, 0, 12, 1}));
    EXPECT_TRUE(CarryStretchRegion({}, crop, bigger).IsNull());
}

class HeaderBuildTest : public PackageTest {};

// The saved strips themselves, for the two photos whose headers came out 717 and 719 wide.
TEST_F(HeaderBuildTest, DefaultCropIsSavedWithA700PixelHeader)
{
    for (const QSize photo : {QSize(2560, 1707), QSize(6000, 4000)}) {
        SCOPED_TRACE(testing::Message() << photo.width() << "x" << photo.height());
        QImage image(photo, QImage::Format_RGB32);
        image.fill(qRgb(40, 90, 160));
        auto picture = std::make_shared<CSkinImage>();
        ASSERT_TRUE(picture->LoadFromImage(image));
        SkinContent skin;
        skin.picture = picture;
        skin.crop = DefaultCrop(photo);
        skin.stretchRegion = DefaultStretchRegion(skin.crop);
        skin.skinName = "photo";
        const QString package = Output("photo.vsf");
        const BuildResult built = BuildPackage(skin, package);
        ASSERT_TRUE(built.ok) << built.error.toStdString();
        skintest::ScratchDir unpacked;
        ASSERT_TRUE(UnzipAll(package, unpacked.path(), nullptr, false));
        int width = 0;
        for (const char* strip : {"TopPanelBKLeft.bmp", "TopPanelBKMid.bmp", "TopPanelBKRight.bmp"}) {
            const QSize size = QImageReader(unpacked.file(strip)).size();
            EXPECT_EQ(size.height(), kHeaderHeight) << strip;
            width += size.width();
        }
        EXPECT_LE(std::abs(width - kHeaderWidth), 1) << width;
    }
}
