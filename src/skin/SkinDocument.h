#pragma once
// The skin being made: the one place where the user's choices live. The wizard's pages and
// previews, the skin viewer and skinmaker-cli read it and change it only through its operations,
// which hold the rules (the header's shape, the stretch region inside it, the corner items'
// places and limits) and tell every change with a signal. Every operation that changes something
// is one step on the document's undo stack.
#include "imaging/CSkinImage.h"
#include "imaging/ColorModel.h"
#include "imaging/PlayerLook.h"
#include "platform/SkinRect.h"
#include "skin/CornerItem.h"
#include "skin/HeaderLayout.h"
#include "skin/PackageNames.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QUndoStack;
class SkinEditCommand;

// The colour numbers an opened package's description file gave, and the colour they were read as.
struct ColourAsRead {
    SkinColorNumbers numbers;
    ColorRef colour = 0;
    bool operator==(const ColourAsRead&) const = default;
};

// What a skin is made of, as a value.
struct SkinContent {
    QString picturePath;     // the picture chosen; after an open, the rebuilt header
    SharedPicture picture;   // decoded picturePath; null until decoded
    SkinRect crop;           // picture pixels
    ColorRef mainColour = 0; // 0 = keep the pictures' own colours
    // Set by an open. While mainColour is still the colour read, saving writes these numbers: the
    // way through RGB and back would move them by one here and there.
    std::optional<ColourAsRead> colourAsRead;
    bool whiteTabText = false;
    SkinRect stretchRegion; // picture pixels; null = none
    StretchMode stretchMode = StretchMode::Stretch;
    // Decorations (one per corner at most) and flash controls, in the order they were added.
    QList<CornerItem> items;
    QString thumbnailPath;          // empty = cut the thumbnail from the header
    SharedPicture thumbnailPicture; // decoded thumbnailPath, or null
    QString skinName;

    // Pictures compare as the same shared object, not pixel by pixel.
    bool operator==(const SkinContent&) const = default;
};

// What kind of edit an undo step is, so that the wizard can show where it took effect.
enum class SkinEdit {
    Picture,
    Crop,
    MainColour,
    TabText,
    StretchRegion,
    StretchMode,
    Decoration,
    Control,
    Thumbnail,
    Name,
    Items // a step's items given back on Skip
};

// The description file's numbers for the main colour: those read from an opened package while
// the colour has not been changed, otherwise those of the colour itself.
SkinColorNumbers MainColourNumbers(const SkinContent& content);

// Empty when name can be stored as a skin name; otherwise the message to show: a name must not
// hold a path separator or a control character, and must fit the player's one line of GBK.
// (An empty name is the callers' to refuse: each says so in its own words.)
QString CheckSkinName(const QString& name);

class SkinDocument : public QObject {
    Q_OBJECT
public:
    // A package may place this many flash controls beyond the first one of each corner.
    static constexpr int kMaxExtraControls = kMaxFlashControls;

    explicit SkinDocument(QObject* parent = nullptr);
    ~SkinDocument() override;

    const SkinContent& Content() const { return m_content; }
    const QString& PicturePath() const { return m_content.picturePath; }
    const SharedPicture& Picture() const { return m_content.picture; }
    bool HasPicture() const;
    SkinRect Crop() const { return m_content.crop; }
    ColorRef MainColour() const { return m_content.mainColour; }
    bool WhiteTabText() const { return m_content.whiteTabText; }
    SkinRect StretchRegion() const { return m_content.stretchRegion; }
    StretchMode Stretch() const { return m_content.stretchMode; }
    const QList<CornerItem>& Items() const { return m_content.items; }
    const QString& ThumbnailPath() const { return m_content.thumbnailPath; }
    const SharedPicture& ThumbnailPicture() const { return m_content.thumbnailPicture; }
    const QString& SkinName() const { return m_content.skinName; }
    // Picture, crop and colours, as the previews show the player.
    PlayerLook Look() const;

    // Index of the corner's decoration, of the corner's own control (its first), or -1.
    int DecorationAt(Corner corner) const;
    int ControlAt(Corner corner) const;
    // Indexes of the controls, in list order.
    QList<int> ControlIndexes() const;
    // Whether one more control may go to the corner.
    bool CanAddControl(Corner corner) const;

    // A newly decoded picture with its default crop; no stretch region is kept for it.
    void SetPicture(const QString& path, SharedPicture picture);
    // Returns the crop as the rules let it be; a stretch region follows it.
    SkinRect SetCrop(const SkinRect& crop);
    void SetMainColour(ColorRef colour);
    void SetWhiteTabText(bool white);
    // Returns the region as the rules let it be (null: none).
    SkinRect SetStretchRegion(const SkinRect& region);
    void SetStretchMode(StretchMode mode);

    // The corner's decoration becomes the picture at file, centred on the corner. Returns its index.
    int SetDecoration(Corner corner, const QString& file, QSize size);
    void RemoveDecoration(Corner corner);
    // Adds a control at the corner, centred on it unless an offset is given; -1 when the corner is
    // full (CanAddControl).
    int AddControl(Corner corner, const QString& file, QSize size, const QString& name = {},
                   bool fromGallery = false, std::optional<QPoint> offset = {});
    // Puts the control in place of the corner's own one, or adds it when the corner has none.
    int ReplaceCornerControl(Corner corner, const QString& file, QSize size, const QString& name = {},
                             bool fromGallery = false);
    // Moves the item to the offset, clamped; returns the offset it got.
    QPoint MoveItem(int index, QPoint offset);
    // A control's size as the player is told it (its stage size unless given).
    void ResizeControl(int index, QSize size);
    void RemoveItem(int index);
    void RemoveItems(CornerItemKind kind);
    // The items of a kind replaced by the given ones (a step skipped gives back what it had).
    void ReplaceItems(CornerItemKind kind, const QList<CornerItem>& items);
    QList<CornerItem> ItemsOf(CornerItemKind kind) const;

    void SetThumbnail(const QString& path, SharedPicture picture);
    void SetSkinName(const QString& name);

    // A fresh skin: nothing chosen. Starts a fresh undo stack.
    void Reset();
    // Everything replaced by content as it stands (an opened package); unmodified, with a fresh
    // undo stack.
    void Load(SkinContent content);
    // Everything replaced by a recovered state: like Load, but modified, and no undo makes it
    // unmodified again (it was never saved as it stands).
    void Restore(SkinContent content);

    // Changed since it was made, opened or saved: the undo stack is not at its clean state.
    bool IsModified() const;
    // false: saved as it stands (the stack's clean state); true: modified whatever undo does.
    void SetModified(bool modified);

    // The edits, owned by the document.
    QUndoStack* UndoStack();
    // The next edit starts a new undo step even where it would merge with the last one (a drag
    // released, a field left).
    void EndMerge();

signals:
    void pictureChanged();
    void cropChanged(SkinRect crop);
    // The main colour or the tab text colour.
    void colourChanged();
    void stretchChanged();
    void itemsChanged();
    void thumbnailChanged();
    void nameChanged(const QString& name);
    void modifiedChanged(bool modified);
    // Reset, Load or Restore replaced everything (the signals above follow).
    void contentReplaced();
    // After an undo or redo (the change signals come first): the kind of edit and its name.
    void editReplayed(SkinEdit edit, const QString& text, bool undone);

private:
    friend class SkinEditCommand;
    // Which edits of the same kind in a row become one undo step.
    enum class Merge { None, Crop, Move, Resize, Region, Name };

    bool IsItem(int index) const;
    // Pushes the step that turns the content into after; nothing when after is the content. An
    // edit made while a step is being done (a view answering its signal) becomes part of that
    // step; one made while a step is undone or redone is ignored: the step's content stands.
    void Commit(SkinEdit edit, const QString& text, SkinContent after, Merge merge = Merge::None,
                int item = -1);
    // Makes content the document's, telling what differs; making is the step being done, if any.
    void Apply(SkinContent content, SkinEditCommand* making = nullptr);
    // An undo or redo of a step.
    void Replay(const SkinContent& content, SkinEdit edit, const QString& text, bool undone);
    void ClearHistory(bool reachableClean);
    void SyncModified();
    void EmitAll();

    SkinContent m_content;
    std::unique_ptr<QUndoStack> m_stack;
    bool m_modified = false;             // as last told with modifiedChanged
    bool m_holdModified = false;         // while the stack is being reset
    quint64 m_mergeGeneration = 0;       // steps merge only within one generation
    SkinEditCommand* m_making = nullptr; // the step being done
    bool m_replaying = false;            // a step is being undone or redone
};
