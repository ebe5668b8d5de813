// The stretch page: layout, the edge edits and arrows, the mode buttons, and the region it
// exchanges with the project.
#include "pages/CStretchDlg.h"

#include "controls/CPreviewCtrl.h"
#include "controls/CStretchResultCtrl.h"
#include "imaging/CSkinImage.h"
#include "skin/SkinDocument.h"
#include "skin/SkinPackage.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "zip/Zip.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The page at the wizard's page size (874 x 567) with a 700 x 61 header.
class StretchDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage header(700, 61, QImage::Format_ARGB32);
        header.fill(qRgb(40, 160, 90));
        const QString path = m_dir.file("header.png");
        ASSERT_TRUE(header.save(path));
        ASSERT_TRUE(m_picture->LoadFromFile(path));
        m_project.picture = m_picture;
        m_project.crop = {0, 0, 700, 61};
        m_project.mainColour = MakeColorRef(0, 128, 192);
        m_page.resize(874, 567);
        document.Load(m_project);
    }

    std::pair<int, int> Selection()
    {
        const SkinRect selection = m_page.Preview()->Selection();
        return {selection.left, selection.right};
    }

    // Types the text and ends the edit with Enter unless told otherwise.
    void TypeInto(QLineEdit* edit, const QString& text, bool finish = true)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (finish)
            QTest::keyClick(edit, Qt::Key_Return);
    }

    skintest::ScratchDir m_dir;
    SharedPicture m_picture = std::make_shared<CSkinImage>();
    SkinContent m_project;
    SkinDocument document;
    CStretchDlg m_page{document, nullptr};
};

TEST_F(StretchDlgTest, LaysTheControlsOutForThePageSize)
{
    m_page.show();
    // The result runs across the bottom, the preview is the full 704 x 141, centred above it.
    EXPECT_EQ(m_page.Result()->geometry(), QRect(10, 416, 854, 141));
    EXPECT_EQ(m_page.findChild<QLabel*>("static-1")->pos(), QPoint(10, 391));
    EXPECT_EQ(m_page.Preview()->geometry(), QRect(10, 222, 704, 141));
    EXPECT_EQ(m_page.GreyAreaTop(), 180);

    // A smaller page shrinks both previews and keeps their proportions.
    m_page.resize(600, 400);
    EXPECT_EQ(m_page.Result()->geometry(), QRect(10, 294, 580, 580 * 141 / 850));
    EXPECT_EQ(m_page.Preview()->geometry(), QRect(10, 180, 104 * 704 / 141, 104));
}

TEST_F(StretchDlgTest, ANewSkinStartsWithTheCentreBandStretched)
{
    m_page.StartStep();
    EXPECT_EQ(Selection(), std::make_pair(337, 352));
    EXPECT_EQ(m_page.LeftEdit()->text(), "337");
    EXPECT_EQ(m_page.RightEdit()->text(), "352");
    EXPECT_TRUE(m_page.StretchRadio()->isChecked());
    EXPECT_FALSE(m_page.TileRadio()->isChecked());
    EXPECT_EQ(m_page.Result()->TileMode(), StretchMode::Stretch);
    // The result preview already shows the region the preview reported.
    EXPECT_EQ(m_page.Result()->Region(), m_page.Preview()->GetRegion());
    EXPECT_EQ(m_page.Result()->PictureRect(), m_project.crop);
    EXPECT_EQ(m_page.Result()->MainColor(), m_project.mainColour);

    m_project = document.Content();
    EXPECT_EQ(m_project.stretchRegion, (SkinRect{335, 0, 350, 61}));
    EXPECT_EQ(m_project.stretchMode, StretchMode::Stretch);
}

TEST_F(StretchDlgTest, TypedEdgesAreClampedAndTheRegionFollows)
{
    m_page.StartStep();
    TypeInto(m_page.LeftEdit(), "1");
    EXPECT_EQ(m_page.LeftEdit()->text(), "4");
    EXPECT_EQ(m_page.LeftEdge(), 4);
    EXPECT_EQ(Selection(), std::make_pair(4, 352));
    EXPECT_EQ(m_page.Preview()->GetRegion(), (SkinRect{2, 0, 350, 61}));
    EXPECT_EQ(m_page.Result()->Region(), (SkinRect{2, 0, 350, 61}));

    // The right edge cannot pass the left one, nor the preview's side.
    TypeInto(m_page.RightEdit(), "3");
    EXPECT_EQ(m_page.RightEdit()->text(), "5");
    TypeInto(m_page.RightEdit(), "9999");
    EXPECT_EQ(m_page.RightEdit()->text(), "700");
    EXPECT_EQ(m_page.Result()->Region(), (SkinRect{2, 0, 698, 61}));
}

TEST_F(StretchDlgTest, EditsRejectEmptyAndNonNumericText)
{
    FakeDialogs dialogs;
    dialogs.answer = QMessageBox::Ok;
    m_page.StartStep();

    TypeInto(m_page.RightEdit(), "abc");
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
    EXPECT_EQ(m_page.RightEdge(), 352);
    EXPECT_EQ(Selection(), std::make_pair(337, 352));

    // Clearing the left edit is refused with a message and the last value comes back.
    m_page.LeftEdit()->selectAll();
    QTest::keyClick(m_page.LeftEdit(), Qt::Key_Delete);
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty()) << "not while the user is still typing";
    QTest::keyClick(m_page.LeftEdit(), Qt::Key_Return);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{QStringLiteral("偏移量不能为空！")});
    EXPECT_EQ(m_page.LeftEdit()->text(), "337");
    EXPECT_EQ(m_page.RightEdit()->text(), "352");
    EXPECT_EQ(Selection(), std::make_pair(337, 352));
}

TEST_F(StretchDlgTest, TypedEdgesApplyWhenCompleteNotPerKeystroke)
{
    m_page.StartStep();
    TypeInto(m_page.RightEdit(), "500", false);
    EXPECT_EQ(m_page.RightEdit()->text(), "500");
    EXPECT_EQ(Selection(), std::make_pair(337, 352)) << "nothing moves while typing";
    QTest::keyClick(m_page.RightEdit(), Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(337, 500));

    // An arrow takes the value being typed, clamped, and steps from there.
    TypeInto(m_page.RightEdit(), "9999", false);
    m_page.RightArrows()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_page.RightEdit()->text(), "699");
    EXPECT_EQ(Selection(), std::make_pair(337, 699));
}

TEST_F(StretchDlgTest, ArrowsMoveTheEdgesByOnePixelWithinTheirLimits)
{
    m_page.StartStep();
    m_page.RightArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_page.RightEdit()->text(), "353");
    m_page.LeftArrows()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_page.LeftEdit()->text(), "336");
    EXPECT_EQ(Selection(), std::make_pair(336, 353));

    TypeInto(m_page.LeftEdit(), "4");
    m_page.LeftArrows()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_page.LeftEdit()->text(), "4");
    EXPECT_EQ(Selection().first, 4);
    // The bars themselves never run out of room.
    for (int i = 0; i < 5; ++i)
        m_page.LeftArrows()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m_page.LeftEdit()->text(), "9");
}

TEST_F(StretchDlgTest, DraggingTheRightEdgePastTheSideStopsFourPixelsShort)
{
    m_page.StartStep();
    CPreviewCtrl* preview = m_page.Preview();
    const int y = 30;
    QTest::mousePress(preview, Qt::LeftButton, Qt::NoModifier, QPoint(354, y));
    QTest::mouseMove(preview, QPoint(600, y));
    QTest::mouseMove(preview, QPoint(703, y));
    QTest::mouseRelease(preview, Qt::LeftButton, Qt::NoModifier, QPoint(703, y));
    EXPECT_EQ(Selection(), std::make_pair(337, 700));
    EXPECT_EQ(m_page.RightEdit()->text(), "700");
    EXPECT_EQ(m_page.Result()->Region(), (SkinRect{335, 0, 698, 61}));
}

TEST_F(StretchDlgTest, TheModeButtonsSetTheTileFlag)
{
    m_page.StartStep();
    QTest::mouseClick(m_page.TileRadio(), Qt::LeftButton);
    EXPECT_EQ(m_page.TileMode(), StretchMode::Tile);
    EXPECT_EQ(m_page.Result()->TileMode(), StretchMode::Tile);
    m_project = document.Content();
    EXPECT_EQ(m_project.stretchMode, StretchMode::Tile);

    QTest::mouseClick(m_page.StretchRadio(), Qt::LeftButton);
    EXPECT_EQ(m_page.Result()->TileMode(), StretchMode::Stretch);
    m_project = document.Content();
    EXPECT_EQ(m_project.stretchMode, StretchMode::Stretch);

    // Coming back from the colour page starts a new skin over in stretch mode.
    QTest::mouseClick(m_page.TileRadio(), Qt::LeftButton);
    m_page.StartStep();
    EXPECT_TRUE(m_page.StretchRadio()->isChecked());
    EXPECT_EQ(m_page.TileMode(), StretchMode::Stretch);
}

TEST_F(StretchDlgTest, AnOpenedRegionIsShownAndWrittenBackUnchanged)
{
    SkinContent opened = m_project;
    opened.stretchRegion = {100, 0, 120, 61};
    opened.stretchMode = StretchMode::Tile;
    document.Load(opened);
    EXPECT_TRUE(m_page.IsRestored());
    EXPECT_TRUE(m_page.TileRadio()->isChecked());
    EXPECT_EQ(m_page.LeftEdit()->text(), "102") << "the edits show the region in preview pixels at once";

    m_page.StartStep();
    EXPECT_EQ(Selection(), std::make_pair(102, 122));
    EXPECT_EQ(m_page.LeftEdit()->text(), "102");
    EXPECT_EQ(m_page.RightEdit()->text(), "122");
    EXPECT_TRUE(m_page.TileRadio()->isChecked());
    EXPECT_EQ(m_page.Result()->TileMode(), StretchMode::Tile);

    SkinContent saved = opened;
    saved.stretchRegion = {};
    saved.stretchMode = StretchMode::Stretch;
    saved = document.Content();
    EXPECT_EQ(saved.stretchRegion, (SkinRect{100, 0, 120, 61}));
    EXPECT_EQ(saved.stretchMode, StretchMode::Tile);

    // Remake forgets the opened region: the same picture chosen again starts from the default.
    document.Reset();
    m_page.ResetPage();
    document.Load(m_project);
    m_page.StartStep();
    EXPECT_EQ(Selection(), std::make_pair(337, 352));
    EXPECT_TRUE(m_page.StretchRadio()->isChecked());
}

TEST_F(StretchDlgTest, AnOpenedSkinWithoutRegionLeavesThePageAlone)
{
    m_page.StartStep();
    QTest::mouseClick(m_page.TileRadio(), Qt::LeftButton);
    SkinContent opened = m_project;
    opened.stretchRegion = {};
    opened.stretchMode = StretchMode::Stretch;
    document.Load(opened);
    EXPECT_FALSE(m_page.IsRestored());
    // The opened skin's mode is shown; entering the step gives it the default region.
    EXPECT_EQ(m_page.TileMode(), StretchMode::Stretch);
    m_page.StartStep();
    EXPECT_EQ(Selection(), std::make_pair(337, 352));
}

// Width and height from a BMP file's info header.
QSize BmpSize(const QString& path)
{
    const QByteArray bytes = skintest::ReadAll(path);
    if (bytes.size() < 26)
        return {};
    auto le32 = [&bytes](int at) {
        return static_cast<int>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8 |
                                static_cast<uint8_t>(bytes[at + 2]) << 16 |
                                static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
    };
    return QSize(le32(18), le32(22));
}

// Points the temporary folder, and with it the package build folder, at a private folder.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const QString& folder)
        : m_had(qEnvironmentVariableIsSet("TMPDIR")), m_old(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", folder.toLocal8Bit());
    }
    ~TempFolderOverride()
    {
        if (m_had)
            qputenv("TMPDIR", m_old);
        else
            qunsetenv("TMPDIR");
    }

private:
    bool m_had;
    QByteArray m_old;
};

TEST(StretchDlgPackage, ASavedSkinHasTheThreeStripsTheRegionGives)
{
    skintest::ScratchDir dir;
    QImage header(1400, 122, QImage::Format_ARGB32);
    header.fill(qRgb(200, 120, 40));
    ASSERT_TRUE(header.save(dir.file("header.png")));
    SharedPicture picture = std::make_shared<CSkinImage>();
    ASSERT_TRUE(picture->LoadFromFile(dir.file("header.png")));
    SkinContent project;
    project.picture = picture;
    project.picturePath = dir.file("header.png");
    project.crop = {0, 0, 1400, 122};

    SkinDocument document;
    CStretchDlg page(document, nullptr);
    page.resize(874, 567);
    document.Load(project);
    page.StartStep();
    page.Preview()->SetSelectionEdges(102, 522);
    QTest::mouseClick(page.TileRadio(), Qt::LeftButton);
    project = document.Content();
    // Preview x 102..522 over a 700-pixel header band of a 1400-pixel crop.
    ASSERT_EQ(project.stretchRegion, (SkinRect{200, 0, 1040, 122}));

    const QString package = dir.file("stretched.vsf");
    {
        QDir().mkpath(dir.file("tmp"));
        TempFolderOverride temp(dir.file("tmp"));
        const BuildResult built = BuildPackage(project, package);
        ASSERT_TRUE(built.ok) << built.error.toStdString();
    }
    QStringList members;
    ASSERT_TRUE(QDir().mkpath(dir.file("out")));
    ASSERT_TRUE(UnzipAll(package, dir.file("out"), &members, false));
    // The crop is scaled to 61 pixels high: half of 200, 840 and 360.
    EXPECT_EQ(BmpSize(dir.file("out/TopPanelBKLeft.bmp")), QSize(100, 61));
    EXPECT_EQ(BmpSize(dir.file("out/TopPanelBKMid.bmp")), QSize(420, 61));
    EXPECT_EQ(BmpSize(dir.file("out/TopPanelBKRight.bmp")), QSize(180, 61));
    EXPECT_TRUE(skintest::ReadAll(dir.file("out/conf.ini")).contains("tile=1"));
}

} // namespace
