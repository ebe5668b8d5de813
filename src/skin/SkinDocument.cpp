#include "skin/SkinDocument.h"

#include "skin/CornerPlacement.h"
#include "skin/GbkText.h"
#include "skin/HeaderCrop.h"
#include "skin/ProfileFile.h"
#include "skin/SkinEditCommand.h"

#include <QCoreApplication>
#include <QUndoStack>

#include <utility>

SkinColorNumbers MainColourNumbers(const SkinContent& content)
{
    if (content.colourAsRead && content.colourAsRead->colour == content.mainColour)
        return content.colourAsRead->numbers;
    return DescribeColor(content.mainColour);
}

QString CheckSkinName(const QString& name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QCoreApplication::translate("SkinPackage", "皮肤名称不能包含控制字符（如换行）。");
        // Try now writes the package under the skin's name, and the save dialog suggests it.
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return QCoreApplication::translate("SkinPackage", "皮肤名称不能包含“/”或“\\”。");
    }
    QByteArray bytes;
    if (!EncodeGbk(name, bytes)) {
        QString bad;
        for (qsizetype i = 0; i < name.size(); ++i) {
            const qsizetype width = name[i].isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
            QByteArray ignored;
            if (!EncodeGbk(name.mid(i, width), ignored))
                bad += name.mid(i, width);
            i += width - 1;
        }
        return QCoreApplication::translate("SkinPackage", "皮肤名称中的字符“%1”无法保存，请换用其他字符。")
            .arg(bad);
    }
    if (bytes.size() > kProfileTextBuffer - 1)
        return QCoreApplication::translate("SkinPackage", "皮肤名称太长，请缩短后再保存。");
    return {};
}

namespace {

SkinEdit ItemEdit(CornerItemKind kind)
{
    return kind == CornerItemKind::Decoration ? SkinEdit::Decoration : SkinEdit::Control;
}

} // namespace

SkinDocument::SkinDocument(QObject* parent) : QObject(parent), m_stack(std::make_unique<QUndoStack>())
{
    connect(m_stack.get(), &QUndoStack::cleanChanged, this, [this] { SyncModified(); });
}

SkinDocument::~SkinDocument()
{
    // The stack's commands point at this document: gone first, and without telling anybody.
    m_stack->disconnect(this);
    m_stack.reset();
}

QUndoStack* SkinDocument::UndoStack()
{
    return m_stack.get();
}

void SkinDocument::EndMerge()
{
    ++m_mergeGeneration;
}

bool SkinDocument::HasPicture() const
{
    return m_content.picture != nullptr && m_content.picture->HasPicture();
}

PlayerLook SkinDocument::Look() const
{
    return {m_content.picture, m_content.crop, m_content.mainColour, m_content.whiteTabText};
}

bool SkinDocument::IsItem(int index) const
{
    return index >= 0 && index < m_content.items.size();
}

int SkinDocument::DecorationAt(Corner corner) const
{
    for (int i = 0; i < m_content.items.size(); ++i) {
        const CornerItem& item = m_content.items[i];
        if (item.IsDecoration() && item.corner == corner)
            return i;
    }
    return -1;
}

int SkinDocument::ControlAt(Corner corner) const
{
    for (int i = 0; i < m_content.items.size(); ++i) {
        const CornerItem& item = m_content.items[i];
        if (item.IsControl() && item.corner == corner)
            return i;
    }
    return -1;
}

QList<int> SkinDocument::ControlIndexes() const
{
    QList<int> indexes;
    for (int i = 0; i < m_content.items.size(); ++i) {
        if (m_content.items[i].IsControl())
            indexes.append(i);
    }
    return indexes;
}

bool SkinDocument::CanAddControl(Corner corner) const
{
    if (ControlAt(corner) < 0)
        return true;
    // Every control beyond the first of its corner is an extra one.
    PerCorner<bool> seen{};
    int extra = 0;
    for (const CornerItem& item : m_content.items) {
        if (!item.IsControl())
            continue;
        if (seen[item.corner])
            ++extra;
        seen[item.corner] = true;
    }
    return extra < kMaxExtraControls;
}

bool SkinDocument::IsModified() const
{
    return !m_stack->isClean();
}

void SkinDocument::SetModified(bool modified)
{
    if (modified)
        m_stack->resetClean();
    else
        m_stack->setClean();
}

void SkinDocument::SyncModified()
{
    if (m_holdModified || IsModified() == m_modified)
        return;
    m_modified = !m_modified;
    emit modifiedChanged(m_modified);
}

void SkinDocument::Commit(SkinEdit edit, const QString& text, SkinContent after, Merge merge, int item)
{
    if (m_replaying || after == m_content)
        return;
    if (m_making != nullptr) {
        m_making->Absorb(after);
        Apply(std::move(after), m_making);
        return;
    }
    m_stack->push(new SkinEditCommand(this, edit, text, m_content, std::move(after),
                                      merge == Merge::None ? -1 : static_cast<int>(merge), item,
                                      m_mergeGeneration));
}

void SkinDocument::Apply(SkinContent content, SkinEditCommand* making)
{
    const SkinContent old = std::exchange(m_content, std::move(content));
    SkinEditCommand* const outer = std::exchange(m_making, making);
    // Each signal tells the content as it is when it is sent: a listener may have changed it.
    const SkinContent& now = m_content;
    const bool picture = old.picturePath != now.picturePath || old.picture != now.picture;
    if (picture)
        emit pictureChanged();
    // A new picture is shown with its crop, even when the crop's numbers stay.
    if (picture || old.crop != now.crop)
        emit cropChanged(now.crop);
    if (old.mainColour != now.mainColour || old.whiteTabText != now.whiteTabText ||
        old.colourAsRead != now.colourAsRead)
        emit colourChanged();
    if (old.stretchRegion != now.stretchRegion || old.stretchMode != now.stretchMode)
        emit stretchChanged();
    if (old.items != now.items)
        emit itemsChanged();
    if (old.thumbnailPath != now.thumbnailPath || old.thumbnailPicture != now.thumbnailPicture)
        emit thumbnailChanged();
    if (old.skinName != now.skinName)
        emit nameChanged(now.skinName);
    m_making = outer;
}

void SkinDocument::Replay(const SkinContent& content, SkinEdit edit, const QString& text, bool undone)
{
    // What follows an undo or redo is a new step, whatever it is.
    ++m_mergeGeneration;
    m_replaying = true;
    Apply(content);
    m_replaying = false;
    emit editReplayed(edit, text, undone);
}

void SkinDocument::SetPicture(const QString& path, SharedPicture picture)
{
    const QSize size = picture != nullptr && picture->HasPicture() ? picture->GetSize() : QSize();
    SkinContent after = m_content;
    after.picturePath = path;
    after.picture = std::move(picture);
    after.crop = DefaultCrop(size);
    after.stretchRegion = {};
    Commit(SkinEdit::Picture, tr("更换图片"), std::move(after));
}

SkinRect SkinDocument::SetCrop(const SkinRect& crop)
{
    if (!HasPicture())
        return m_content.crop;
    const SkinRect applied = ConstrainCrop(crop, m_content.picture->GetSize());
    if (applied == m_content.crop)
        return applied;
    SkinContent after = m_content;
    after.crop = applied;
    after.stretchRegion = CarryStretchRegion(m_content.stretchRegion, m_content.crop, applied);
    Commit(SkinEdit::Crop, tr("调整裁剪区域"), std::move(after), Merge::Crop);
    return applied;
}

void SkinDocument::SetMainColour(ColorRef colour)
{
    SkinContent after = m_content;
    after.mainColour = colour;
    Commit(SkinEdit::MainColour, tr("更改主色调"), std::move(after));
}

void SkinDocument::SetWhiteTabText(bool white)
{
    SkinContent after = m_content;
    after.whiteTabText = white;
    Commit(SkinEdit::TabText, tr("更改标签文字颜色"), std::move(after));
}

SkinRect SkinDocument::SetStretchRegion(const SkinRect& region)
{
    SkinContent after = m_content;
    after.stretchRegion = ConstrainStretchRegion(region, m_content.crop);
    const SkinRect applied = after.stretchRegion;
    Commit(SkinEdit::StretchRegion, tr("调整拉伸区域"), std::move(after), Merge::Region);
    return applied;
}

void SkinDocument::SetStretchMode(StretchMode mode)
{
    SkinContent after = m_content;
    after.stretchMode = mode;
    Commit(SkinEdit::StretchMode, tr("更改拉伸方式"), std::move(after));
}

int SkinDocument::SetDecoration(Corner corner, const QString& file, QSize size)
{
    const CornerItem item{
        CornerItemKind::Decoration, corner, DefaultCornerOffset(size), size, file, {}, false};
    SkinContent after = m_content;
    int index = DecorationAt(corner);
    if (index >= 0) {
        after.items[index] = item;
        Commit(SkinEdit::Decoration, tr("更换边框装饰"), std::move(after));
    } else {
        index = static_cast<int>(after.items.size());
        after.items.append(item);
        Commit(SkinEdit::Decoration, tr("添加边框装饰"), std::move(after));
    }
    return index;
}

void SkinDocument::RemoveDecoration(Corner corner)
{
    RemoveItem(DecorationAt(corner));
}

int SkinDocument::AddControl(Corner corner, const QString& file, QSize size, const QString& name,
                             bool fromGallery, std::optional<QPoint> offset)
{
    if (!IsValidCorner(corner) || !CanAddControl(corner))
        return -1;
    const QPoint place = offset ? ClampCornerOffset(corner, size, *offset) : DefaultCornerOffset(size);
    SkinContent after = m_content;
    after.items.append({CornerItemKind::Control, corner, place, size, file, name, fromGallery});
    Commit(SkinEdit::Control, tr("添加控件"), std::move(after));
    return static_cast<int>(m_content.items.size()) - 1;
}

int SkinDocument::ReplaceCornerControl(Corner corner, const QString& file, QSize size, const QString& name,
                                       bool fromGallery)
{
    const int index = ControlAt(corner);
    if (index < 0)
        return AddControl(corner, file, size, name, fromGallery);
    SkinContent after = m_content;
    after.items[index] = {
        CornerItemKind::Control, corner, DefaultCornerOffset(size), size, file, name, fromGallery};
    Commit(SkinEdit::Control, tr("更换控件"), std::move(after));
    return index;
}

QPoint SkinDocument::MoveItem(int index, QPoint offset)
{
    if (!IsItem(index))
        return {};
    SkinContent after = m_content;
    CornerItem& item = after.items[index];
    const QPoint applied = ClampCornerOffset(item.corner, item.size, offset);
    item.offset = applied;
    const CornerItemKind kind = item.kind;
    Commit(ItemEdit(kind), kind == CornerItemKind::Decoration ? tr("移动边框装饰") : tr("移动控件"),
           std::move(after), Merge::Move, index);
    return applied;
}

void SkinDocument::ResizeControl(int index, QSize size)
{
    if (!IsItem(index) || !m_content.items[index].IsControl())
        return;
    SkinContent after = m_content;
    after.items[index].size = size;
    Commit(SkinEdit::Control, tr("调整控件大小"), std::move(after), Merge::Resize, index);
}

void SkinDocument::RemoveItem(int index)
{
    if (!IsItem(index))
        return;
    const CornerItemKind kind = m_content.items[index].kind;
    SkinContent after = m_content;
    after.items.removeAt(index);
    Commit(ItemEdit(kind), kind == CornerItemKind::Decoration ? tr("删除边框装饰") : tr("删除控件"),
           std::move(after));
}

void SkinDocument::RemoveItems(CornerItemKind kind)
{
    SkinContent after = m_content;
    after.items.removeIf([kind](const CornerItem& item) { return item.kind == kind; });
    Commit(ItemEdit(kind), kind == CornerItemKind::Decoration ? tr("删除所有边框装饰") : tr("删除所有控件"),
           std::move(after));
}

QList<CornerItem> SkinDocument::ItemsOf(CornerItemKind kind) const
{
    QList<CornerItem> items;
    for (const CornerItem& item : m_content.items) {
        if (item.kind == kind)
            items.append(item);
    }
    return items;
}

void SkinDocument::ReplaceItems(CornerItemKind kind, const QList<CornerItem>& items)
{
    if (ItemsOf(kind) == items)
        return;
    SkinContent after = m_content;
    after.items.removeIf([kind](const CornerItem& item) { return item.kind == kind; });
    for (const CornerItem& item : items) {
        if (item.kind == kind)
            after.items.append(item);
    }
    Commit(SkinEdit::Items, kind == CornerItemKind::Decoration ? tr("还原边框装饰") : tr("还原控件"),
           std::move(after));
}

void SkinDocument::SetThumbnail(const QString& path, SharedPicture picture)
{
    SkinContent after = m_content;
    after.thumbnailPath = path;
    after.thumbnailPicture = path.isEmpty() ? nullptr : std::move(picture);
    Commit(SkinEdit::Thumbnail, path.isEmpty() ? tr("取消自选缩略图") : tr("更换缩略图"), std::move(after));
}

void SkinDocument::SetSkinName(const QString& name)
{
    SkinContent after = m_content;
    after.skinName = name;
    Commit(SkinEdit::Name, tr("更改皮肤名称"), std::move(after), Merge::Name);
}

void SkinDocument::Reset()
{
    Load(SkinContent());
}

void SkinDocument::Load(SkinContent content)
{
    m_content = std::move(content);
    ClearHistory(true);
    emit contentReplaced();
    EmitAll();
}

void SkinDocument::Restore(SkinContent content)
{
    m_content = std::move(content);
    ClearHistory(false);
    emit contentReplaced();
    EmitAll();
}

void SkinDocument::ClearHistory(bool reachableClean)
{
    ++m_mergeGeneration;
    m_holdModified = true;
    m_stack->clear();
    if (!reachableClean)
        m_stack->resetClean();
    m_holdModified = false;
    SyncModified();
}

void SkinDocument::EmitAll()
{
    emit pictureChanged();
    emit cropChanged(m_content.crop);
    emit colourChanged();
    emit stretchChanged();
    emit itemsChanged();
    emit thumbnailChanged();
    emit nameChanged(m_content.skinName);
}
