#include "skin/SkinDocument.h"
#include "imaging/CSkinImage.h"
#include "platform/FileExtensions.h"
#include "skin/CornerPlacement.h"
#include "skin/HeaderCrop.h"
#include "skin/SkinDescription.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

namespace {

SharedPicture Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    auto picture = std::make_shared<CSkinImage>();
    EXPECT_TRUE(picture->LoadFromImage(image));
    return picture;
}

CornerItem Control(Corner corner, const QString& file, QPoint offset = {}, QSize size = {10, 10})
{
    return {CornerItemKind::Control, corner, offset, size, file, {}, false};
}

CornerItem Decoration(Corner corner, const QString& file, QPoint offset = {}, QSize size = {10, 10})
{
    return {CornerItemKind::Decoration, corner, offset, size, file, {}, false};
}

// Every signal a document emits, counted by name.
class SignalLog {
public:
    explicit SignalLog(const SkinDocument& document)
    {
        const QMetaObject& meta = SkinDocument::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            if (method.methodType() == QMetaMethod::Signal)
                m_spies.push_back(
                    {QString::fromLatin1(method.name()), std::make_unique<QSignalSpy>(&document, method)});
        }
    }
    // The names emitted since the last call, each as often as it was emitted, in declaration order.
    QStringList Take()
    {
        QStringList names;
        for (auto& [name, spy] : m_spies) {
            for (qsizetype k = 0; k < spy->count(); ++k)
                names << name;
            spy->clear();
        }
        return names;
    }

private:
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> m_spies;
};

// A skin as an open leaves it: a picture with its default crop and region, a decoration and a
// control, unmodified.
void Prepare(SkinDocument& document)
{
    SkinContent content;
    content.picturePath = "p.jpg";
    content.picture = Picture(1400, 1050);
    content.crop = DefaultCrop({1400, 1050});
    content.stretchRegion = DefaultStretchRegion(content.crop);
    content.items = {Decoration(Corner::LeftTop, "d.png"),
                     Control(Corner::RightTop, "c.swf", {40, 20}, {80, 40})};
    content.skinName = "skin";
    document.Load(content);
}

} // namespace

// Every operation tells its change with its own signal and makes the document modified, once;
// doing the same again changes nothing and tells nothing.
TEST(SkinDocument, EveryChangeIsToldAndMakesTheDocumentModified)
{
    const auto picture = Picture(2560, 1707);
    const struct {
        const char* name;
        std::function<void(SkinDocument&)> change;
        QStringList told;
        bool againChangesNothing;
    } kChanges[] = {
        {"SetPicture",
         [&](SkinDocument& d) { d.SetPicture("q.jpg", picture); },
         {"pictureChanged", "cropChanged", "stretchChanged"},
         true},
        {"SetCrop",
         [](SkinDocument& d) {
             d.SetCrop({0, 0, 700, 61});
         },
         {"cropChanged", "stretchChanged"},
         true},
        {"SetMainColour", [](SkinDocument& d) { d.SetMainColour(0x336699); }, {"colourChanged"}, true},
        {"SetWhiteTabText", [](SkinDocument& d) { d.SetWhiteTabText(true); }, {"colourChanged"}, true},
        {"SetStretchRegion",
         [](SkinDocument& d) {
             d.SetStretchRegion({300, 0, 400, 1});
         },
         {"stretchChanged"},
         true},
        {"SetStretchMode",
         [](SkinDocument& d) { d.SetStretchMode(StretchMode::Tile); },
         {"stretchChanged"},
         true},
        {"SetDecoration",
         [](SkinDocument& d) {
             d.SetDecoration(Corner::LeftBottom, "e.png", {30, 30});
         },
         {"itemsChanged"},
         true},
        {"RemoveDecoration",
         [](SkinDocument& d) { d.RemoveDecoration(Corner::LeftTop); },
         {"itemsChanged"},
         true},
        {"AddControl",
         [](SkinDocument& d) {
             d.AddControl(Corner::RightTop, "x.swf", {10, 10});
         },
         {"itemsChanged"},
         false},
        {"ReplaceCornerControl",
         [](SkinDocument& d) {
             d.ReplaceCornerControl(Corner::RightTop, "y.swf", {10, 10});
         },
         {"itemsChanged"},
         true},
        {"MoveItem",
         [](SkinDocument& d) {
             d.MoveItem(1, {5, 5});
         },
         {"itemsChanged"},
         true},
        {"ResizeControl",
         [](SkinDocument& d) {
             d.ResizeControl(1, {50, 50});
         },
         {"itemsChanged"},
         true},
        {"RemoveItem", [](SkinDocument& d) { d.RemoveItem(0); }, {"itemsChanged"}, false},
        {"RemoveItems",
         [](SkinDocument& d) { d.RemoveItems(CornerItemKind::Control); },
         {"itemsChanged"},
         true},
        {"ReplaceItems",
         [](SkinDocument& d) { d.ReplaceItems(CornerItemKind::Decoration, {}); },
         {"itemsChanged"},
         true},
        {"SetThumbnail",
         [](SkinDocument& d) { d.SetThumbnail("t.bmp", nullptr); },
         {"thumbnailChanged"},
         true},
        {"SetSkinName", [](SkinDocument& d) { d.SetSkinName("other"); }, {"nameChanged"}, true},
    };
    for (const auto& [name, change, told, againChangesNothing] : kChanges) {
        SCOPED_TRACE(name);
        SkinDocument document;
        Prepare(document);
        ASSERT_FALSE(document.IsModified());
        SignalLog log(document);
        QSignalSpy modified(&document, &SkinDocument::modifiedChanged);
        change(document);
        EXPECT_TRUE(document.IsModified());
        EXPECT_EQ(log.Take(), told + QStringList{"modifiedChanged"});
        ASSERT_EQ(modified.count(), 1);
        EXPECT_TRUE(modified.first().first().toBool());

        // Saved: the same change once more is no change.
        document.SetModified(false);
        EXPECT_EQ(log.Take(), QStringList{"modifiedChanged"});
        change(document);
        if (againChangesNothing) {
            EXPECT_FALSE(document.IsModified());
            EXPECT_EQ(log.Take(), QStringList());
        } else {
            EXPECT_TRUE(document.IsModified());
        }
    }
}

TEST(SkinDocument, OpeningResettingAndSavingLeaveItUnmodified)
{
    SkinDocument document;
    SignalLog log(document);
    // Nothing changed yet, nothing to tell.
    document.SetModified(false);
    EXPECT_EQ(log.Take(), QStringList());

    document.SetSkinName("a");
    document.SetMainColour(0x123456);
    EXPECT_EQ(log.Take(), (QStringList{"colourChanged", "nameChanged", "modifiedChanged"}));

    SkinContent opened;
    opened.skinName = "opened";
    document.Load(opened);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.SkinName(), "opened");
    EXPECT_EQ(log.Take(),
              (QStringList{"pictureChanged", "cropChanged", "colourChanged", "stretchChanged", "itemsChanged",
                           "thumbnailChanged", "nameChanged", "modifiedChanged", "contentReplaced"}));

    document.SetSkinName("b");
    document.Reset();
    EXPECT_FALSE(document.IsModified());
    document.SetSkinName("c");
    document.SetModified(false);
    EXPECT_FALSE(document.IsModified());
}

TEST(SkinDocument, ResetClearsEveryChoice)
{
    SkinContent content;
    content.stretchRegion = {1, 2, 3, 4};
    content.items = {Decoration(Corner::LeftTop, "d.png", {1, 2}), Decoration(Corner::RightBottom, "e.png"),
                     Control(Corner::RightTop, "c.swf"),           Control(Corner::LeftBottom, "c.swf"),
                     Control(Corner::RightTop, "e.swf"),           Control(Corner::LeftBottom, "e.swf")};
    content.stretchMode = StretchMode::Tile;
    content.thumbnailPath = "t.bmp";
    content.mainColour = 0x123456;
    content.whiteTabText = true;
    content.skinName = "name";
    SkinDocument document;
    document.Load(content);

    document.Reset();

    EXPECT_TRUE(document.StretchRegion().IsNull());
    for (Corner corner : kCorners) {
        EXPECT_EQ(document.DecorationAt(corner), -1) << CornerIndex(corner);
        EXPECT_EQ(document.ControlAt(corner), -1) << CornerIndex(corner);
    }
    EXPECT_EQ(document.Stretch(), StretchMode::Stretch);
    EXPECT_TRUE(document.Items().isEmpty());
    EXPECT_TRUE(document.ThumbnailPath().isEmpty());
    // A fresh skin: the colours and the name go as well.
    EXPECT_EQ(document.MainColour(), 0u);
    EXPECT_FALSE(document.WhiteTabText());
    EXPECT_EQ(document.SkinName(), QString());
}

// An opened package's colour numbers are written back as read while the colour stays; a colour
// picked afterwards gets its own numbers.
TEST(SkinDocument, ColourNumbersAsReadLastUntilAnotherColourIsPicked)
{
    SkinContent skin;
    const SkinColorNumbers read{141, 64, 50};
    skin.mainColour = ColorOfNumbers(read);
    skin.colourAsRead = ColourAsRead{read, skin.mainColour};
    const SkinColorNumbers kept = MainColourNumbers(skin);
    EXPECT_EQ(kept.hue, 141);
    EXPECT_EQ(kept.sat, 64); // through RGB it would come back as 65
    EXPECT_EQ(DescribeColor(skin.mainColour).sat, 65);

    skin.mainColour = MakeColorRef(0x11, 0x22, 0x33);
    EXPECT_EQ(MainColourNumbers(skin).hue, DescribeColor(skin.mainColour).hue);
    EXPECT_EQ(MainColourNumbers(skin).light, DescribeColor(skin.mainColour).light);
}

TEST(SkinDocument, PackagesAreKnownByTheirExtensionInAnyCase)
{
    for (const char* name : {"a.vsf", "UPPER.VSF", "/x/Mixed.Vsf"})
        EXPECT_TRUE(IsPackageFileName(name)) << name;
    for (const char* name : {"vsf", "a.vsfx", "avsf", "a.jpg"})
        EXPECT_FALSE(IsPackageFileName(name)) << name;
}

TEST(SkinDocument, ANewPictureGetsTheDefaultCropAndACropCarriesTheRegion)
{
    SkinDocument document;
    // Without a picture there is nothing to crop.
    EXPECT_TRUE(document.SetCrop({0, 0, 700, 61}).IsNull());

    document.SetPicture("a.jpg", Picture(6000, 4000));
    EXPECT_EQ(document.Crop(), DefaultCrop({6000, 4000}));
    const SkinRect region = document.SetStretchRegion(DefaultStretchRegion(document.Crop()));
    ASSERT_FALSE(region.IsNull());

    const SkinRect old = document.Crop();
    const SkinRect crop = document.SetCrop({100, 200, 3100, 300});
    EXPECT_EQ(crop, (SkinRect{100, 200, 3100, 200 + CropHeightForWidth(3000)}));
    EXPECT_EQ(document.Crop(), crop);
    EXPECT_EQ(document.StretchRegion(), CarryStretchRegion(region, old, crop));

    // Another picture: its own default crop, no region.
    document.SetPicture("b.jpg", Picture(2560, 1707));
    EXPECT_EQ(document.Crop(), DefaultCrop({2560, 1707}));
    EXPECT_TRUE(document.StretchRegion().IsNull());
}

// Beyond the first control of each corner a skin takes kMaxExtraControls more; a corner without
// a control always takes one.
TEST(SkinDocument, ControlsAreLimitedBeyondEachCornersFirst)
{
    SkinDocument document;
    for (int k = 0; k <= SkinDocument::kMaxExtraControls; ++k)
        ASSERT_GE(document.AddControl(Corner::LeftTop, "e.swf", {10, 10}), 0) << k;
    QSignalSpy items(&document, &SkinDocument::itemsChanged);
    EXPECT_FALSE(document.CanAddControl(Corner::LeftTop));
    EXPECT_EQ(document.AddControl(Corner::LeftTop, "f.swf", {10, 10}), -1);
    EXPECT_EQ(items.count(), 0);
    // Decorations do not count; the other corners take their own controls.
    document.SetDecoration(Corner::RightTop, "d.png", {20, 20});
    for (Corner corner : {Corner::RightTop, Corner::LeftBottom, Corner::RightBottom}) {
        EXPECT_TRUE(document.CanAddControl(corner));
        EXPECT_GE(document.AddControl(corner, "c.swf", {10, 10}), 0);
        EXPECT_FALSE(document.CanAddControl(corner));
    }
    EXPECT_EQ(document.ControlIndexes().size(), 24); // what the command line makes

    // An emptied corner takes a control of its own again, and only one.
    document.RemoveItem(document.ControlAt(Corner::RightBottom));
    EXPECT_TRUE(document.CanAddControl(Corner::RightBottom));
    EXPECT_GE(document.AddControl(Corner::RightBottom, "g.swf", {10, 10}), 0);
    EXPECT_FALSE(document.CanAddControl(Corner::RightBottom));
    // One extra control removed anywhere makes room at every corner.
    document.RemoveItem(document.ControlIndexes()[1]);
    for (Corner corner : kCorners)
        EXPECT_TRUE(document.CanAddControl(corner)) << CornerIndex(corner);
}

TEST(SkinDocument, ReplacingACornersControlKeepsItsExtraOnes)
{
    SkinDocument document;
    document.AddControl(Corner::RightTop, "own.swf", {10, 10});
    document.AddControl(Corner::RightTop, "extra.swf", {10, 10}, {}, false, QPoint(3, 4));
    EXPECT_EQ(document.ReplaceCornerControl(Corner::RightTop, "new.swf", {60, 30}, "New", true), 0);
    EXPECT_EQ(
        document.Items()[0],
        (CornerItem{CornerItemKind::Control, Corner::RightTop, {30, 15}, {60, 30}, "new.swf", "New", true}));
    EXPECT_EQ(document.Items()[1].file, "extra.swf");
    EXPECT_EQ(document.Items()[1].offset, QPoint(3, 4));
    // A corner without a control gets one.
    EXPECT_EQ(document.ReplaceCornerControl(Corner::LeftBottom, "lb.swf", {10, 10}), 2);
    EXPECT_EQ(document.ControlAt(Corner::LeftBottom), 2);
}

TEST(SkinDocument, ReplacingItemsOfAKindLeavesTheOtherKind)
{
    SkinDocument document;
    document.SetDecoration(Corner::LeftTop, "a.png", {10, 10});
    document.AddControl(Corner::RightTop, "c.swf", {10, 10});
    const CornerItem decoration = Decoration(Corner::RightBottom, "b.png", {1, 2});
    document.ReplaceItems(CornerItemKind::Decoration, {decoration, Control(Corner::LeftBottom, "x.swf")});
    EXPECT_EQ(document.ItemsOf(CornerItemKind::Decoration), QList<CornerItem>{decoration});
    ASSERT_EQ(document.ItemsOf(CornerItemKind::Control).size(), 1);
    EXPECT_EQ(document.ItemsOf(CornerItemKind::Control)[0].file, "c.swf");
}

// An item lies at most wholly outside its quarter of the window, never further.
TEST(SkinDocument, MovedItemsAreClampedAroundTheirQuarter)
{
    const struct {
        Corner corner;
        QSize size;
        QPoint offset;
        QPoint expected;
    } kMoves[] = {
        {Corner::LeftTop, {40, 30}, {5, 6}, {5, 6}},               // where it is asked to go
        {Corner::LeftTop, {40, 30}, {1000, 1000}, {40, 30}},       // up and left: wholly outside
        {Corner::LeftTop, {40, 30}, {-1000, -1000}, {-352, -240}}, // into the window: its quarter
        {Corner::RightBottom, {80, 40}, {-500, -500}, {0, 0}},     // down and right of its corner
        {Corner::RightBottom, {80, 40}, {1000, 1000}, {432, 280}},
        {Corner::LeftTop, {-50, -20}, {100, 100}, {0, 0}},             // a negative size from a package
        {Corner::LeftTop, {40, 30}, {INT_MIN, INT_MIN}, {-352, -240}}, // far beyond: no wrap-around
        {Corner::RightBottom, {80, 40}, {INT_MIN, INT_MIN}, {0, 0}},
    };
    for (const auto& [corner, size, offset, expected] : kMoves) {
        SkinDocument document;
        const int index = document.AddControl(corner, "c.swf", size);
        EXPECT_EQ(document.MoveItem(index, offset), expected) << offset.x() << "," << offset.y();
        EXPECT_EQ(document.Items()[index].offset, expected);
        // The same rule places a control added at an offset.
        EXPECT_EQ(document.Items()[document.AddControl(corner, "c.swf", size, {}, false, offset)].offset,
                  expected);
    }
}

namespace {

// The change signals of a log, without those that tell about the history rather than the skin.
QStringList ChangesOf(QStringList names)
{
    names.removeAll("modifiedChanged");
    names.removeAll("editReplayed");
    return names;
}

} // namespace

// Every kind of edit, one after another: each undo gives back exactly the content before it,
// telling the same changes the edit told, and each redo the content after it.
TEST(SkinDocumentUndo, EveryEditIsUndoneAndRedoneExactly)
{
    SkinDocument document;
    Prepare(document);
    SignalLog log(document);
    QSignalSpy replayed(&document, &SkinDocument::editReplayed);
    std::vector<SkinContent> states{document.Content()};
    std::vector<QStringList> told;
    QList<SkinEdit> edits;
    const auto done = [&](SkinEdit edit) {
        EXPECT_NE(document.Content(), states.back()) << states.size();
        states.push_back(document.Content());
        told.push_back(ChangesOf(log.Take()));
        edits.append(edit);
    };
    document.SetPicture("q.jpg", Picture(2560, 1707));
    done(SkinEdit::Picture);
    document.SetCrop({100, 100, 1500, 222});
    done(SkinEdit::Crop);
    document.SetStretchRegion({300, 100, 400, 222});
    done(SkinEdit::StretchRegion);
    document.SetCrop({0, 0, 700, 61}); // carries the region
    done(SkinEdit::Crop);
    document.SetStretchMode(StretchMode::Tile);
    done(SkinEdit::StretchMode);
    document.SetMainColour(0x336699);
    done(SkinEdit::MainColour);
    document.SetWhiteTabText(true);
    done(SkinEdit::TabText);
    document.SetDecoration(Corner::LeftBottom, "e.png", {30, 30});
    done(SkinEdit::Decoration);
    document.SetDecoration(Corner::LeftTop, "f.png", {20, 20});
    done(SkinEdit::Decoration);
    document.MoveItem(document.DecorationAt(Corner::LeftTop), {3, 4});
    done(SkinEdit::Decoration);
    document.RemoveDecoration(Corner::LeftBottom);
    done(SkinEdit::Decoration);
    document.AddControl(Corner::RightTop, "x.swf", {10, 10}, "X", true);
    done(SkinEdit::Control);
    document.ReplaceCornerControl(Corner::RightTop, "y.swf", {60, 30});
    done(SkinEdit::Control);
    document.MoveItem(document.ControlAt(Corner::RightTop), {7, 8});
    done(SkinEdit::Control);
    document.ResizeControl(document.ControlAt(Corner::RightTop), {50, 50});
    done(SkinEdit::Control);
    document.RemoveItem(document.ControlIndexes().last());
    done(SkinEdit::Control);
    document.RemoveItems(CornerItemKind::Decoration);
    done(SkinEdit::Decoration);
    document.ReplaceItems(CornerItemKind::Decoration, {Decoration(Corner::RightBottom, "g.png", {1, 2})});
    done(SkinEdit::Items);
    document.SetThumbnail("t.bmp", Picture(120, 90));
    done(SkinEdit::Thumbnail);
    document.SetSkinName("other");
    done(SkinEdit::Name);
    const int steps = static_cast<int>(edits.size());
    ASSERT_EQ(document.UndoStack()->count(), steps);
    EXPECT_EQ(replayed.count(), 0); // doing an edit is no replay

    for (int i = steps - 1; i >= 0; --i) {
        SCOPED_TRACE(i);
        document.UndoStack()->undo();
        EXPECT_EQ(document.Content(), states[i]);
        EXPECT_EQ(ChangesOf(log.Take()), told[i]);
        ASSERT_EQ(replayed.count(), 1);
        EXPECT_EQ(replayed.first()[0].value<SkinEdit>(), edits[i]);
        EXPECT_EQ(replayed.first()[1].toString(), document.UndoStack()->text(i));
        EXPECT_FALSE(document.UndoStack()->text(i).isEmpty());
        EXPECT_TRUE(replayed.first()[2].toBool());
        replayed.clear();
    }
    EXPECT_FALSE(document.IsModified());
    for (int i = 0; i < steps; ++i) {
        SCOPED_TRACE(i);
        document.UndoStack()->redo();
        EXPECT_EQ(document.Content(), states[i + 1]);
        EXPECT_EQ(ChangesOf(log.Take()), told[i]);
        ASSERT_EQ(replayed.count(), 1);
        EXPECT_FALSE(replayed.first()[2].toBool());
        replayed.clear();
    }
}

// A drag, a run of arrow presses or typing is one step until EndMerge, another edit, an undo or a
// save comes between; a drag back to where it began is no step.
TEST(SkinDocumentUndo, RunsOfTheSameEditAreOneStep)
{
    SkinDocument document;
    Prepare(document);
    QUndoStack& stack = *document.UndoStack();
    const SkinContent opened = document.Content();

    document.SetCrop({10, 10, 710, 71});
    document.SetCrop({20, 20, 720, 81});
    document.MoveItem(0, {1, 1});
    document.MoveItem(0, {2, 2});
    document.MoveItem(1, {3, 3}); // another item
    document.ResizeControl(1, {30, 30});
    document.ResizeControl(1, {40, 40});
    EXPECT_EQ(stack.count(), 4);
    for (int k = 0; k < 3; ++k)
        stack.undo();
    EXPECT_EQ(document.Crop(), (SkinRect{20, 20, 720, 81}));
    stack.undo();
    EXPECT_EQ(document.Content(), opened);

    // EndMerge splits a run; an undone step takes no more into it.
    stack.clear();
    document.SetSkinName("a");
    document.SetSkinName("ab");
    document.EndMerge();
    document.SetSkinName("abc");
    EXPECT_EQ(stack.count(), 2);
    stack.undo();
    document.SetSkinName("abd");
    EXPECT_EQ(stack.count(), 2);
    stack.undo();
    EXPECT_EQ(document.SkinName(), "ab");

    // Saved in the middle of a drag: the rest of it is a step of its own.
    stack.clear();
    document.SetStretchRegion({400, 0, 420, 1});
    document.SetModified(false);
    document.SetStretchRegion({410, 0, 430, 1});
    EXPECT_EQ(stack.count(), 2);

    // Back where it began: nothing to undo.
    stack.clear();
    const QPoint start = document.Items()[1].offset;
    document.MoveItem(1, start - QPoint(5, 5));
    ASSERT_EQ(stack.count(), 1);
    document.MoveItem(1, start);
    EXPECT_EQ(stack.count(), 0);
}

// The document is unmodified exactly at its saved state; a restored state is never "saved".
TEST(SkinDocumentUndo, ModifiedFollowsTheSavedState)
{
    SkinDocument document;
    Prepare(document);
    QSignalSpy modified(&document, &SkinDocument::modifiedChanged);
    const auto told = [&modified] {
        QList<bool> values;
        for (const QList<QVariant>& call : modified)
            values.append(call.first().toBool());
        modified.clear();
        return values;
    };

    document.SetMainColour(0x111111);
    document.SetModified(false); // saved
    document.SetMainColour(0x222222);
    EXPECT_EQ(told(), (QList<bool>{true, false, true}));
    document.UndoStack()->undo();
    EXPECT_FALSE(document.IsModified());
    document.UndoStack()->undo();
    EXPECT_TRUE(document.IsModified());
    document.UndoStack()->redo();
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(told(), (QList<bool>{false, true, false}));

    // Opening and starting again give a fresh, saved history.
    document.SetMainColour(0x333333);
    Prepare(document);
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.UndoStack()->canUndo());
    document.SetMainColour(0x444444);
    document.Reset();
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(told(), (QList<bool>{true, false, true, false}));

    // Restored: modified, and no undo reaches a saved state.
    SkinContent recovered;
    recovered.skinName = "recovered";
    document.Restore(recovered);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.SkinName(), "recovered");
    document.SetSkinName("x");
    document.UndoStack()->undo();
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(told(), (QList<bool>{true}));
    document.SetModified(false);
    EXPECT_FALSE(document.IsModified());
}

// A view may answer a change with an edit of its own (a control clamping what it was told):
// while an edit is made, that belongs to the same step; while a step is undone or redone, the
// step's content stands.
TEST(SkinDocumentUndo, EditsAnsweringAChangeJoinItsStep)
{
    SkinDocument document;
    Prepare(document);
    const SkinContent before = document.Content();
    QObject::connect(&document, &SkinDocument::nameChanged,
                     [&document](const QString& name) { document.SetSkinName(name.toUpper()); });

    document.SetSkinName("abc");
    EXPECT_EQ(document.SkinName(), "ABC");
    EXPECT_EQ(document.UndoStack()->count(), 1);
    const SkinContent after = document.Content();
    document.UndoStack()->undo();
    EXPECT_EQ(document.Content(), before);
    document.UndoStack()->redo();
    EXPECT_EQ(document.Content(), after);
    EXPECT_EQ(document.UndoStack()->count(), 1);
}
