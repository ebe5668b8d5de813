#include "skin/SkinDocument.h"

#include "skin/CornerPlacement.h"
#include "skin/GbkText.h"
#include "skin/HeaderCrop.h"
#include "skin/ProfileFile.h"

#include <QCoreApplication>

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

SkinDocument::SkinDocument(QObject* parent) : QObject(parent) {}

SkinDocument::~SkinDocument() = default;

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

void SkinDocument::Touch()
{
    if (!m_modified) {
        m_modified = true;
        emit modifiedChanged(true);
    }
}

void SkinDocument::SetModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void SkinDocument::SetPicture(const QString& path, SharedPicture picture)
{
    const QSize size = picture != nullptr && picture->HasPicture() ? picture->GetSize() : QSize();
    const SkinRect crop = DefaultCrop(size);
    const bool hadRegion = !m_content.stretchRegion.IsNull();
    if (path == m_content.picturePath && picture == m_content.picture && crop == m_content.crop && !hadRegion)
        return;
    m_content.picturePath = path;
    m_content.picture = std::move(picture);
    m_content.crop = crop;
    m_content.stretchRegion = {};
    Touch();
    emit pictureChanged();
    emit cropChanged(m_content.crop);
    if (hadRegion)
        emit stretchChanged();
}

SkinRect SkinDocument::SetCrop(const SkinRect& crop)
{
    if (!HasPicture())
        return m_content.crop;
    const SkinRect applied = ConstrainCrop(crop, m_content.picture->GetSize());
    if (applied == m_content.crop)
        return applied;
    const SkinRect old = m_content.crop;
    m_content.crop = applied;
    const SkinRect region = CarryStretchRegion(m_content.stretchRegion, old, applied);
    const bool regionMoved = region != m_content.stretchRegion;
    m_content.stretchRegion = region;
    Touch();
    emit cropChanged(applied);
    if (regionMoved)
        emit stretchChanged();
    return applied;
}

void SkinDocument::SetMainColour(ColorRef colour)
{
    if (colour == m_content.mainColour)
        return;
    m_content.mainColour = colour;
    Touch();
    emit colourChanged();
}

void SkinDocument::SetWhiteTabText(bool white)
{
    if (white == m_content.whiteTabText)
        return;
    m_content.whiteTabText = white;
    Touch();
    emit colourChanged();
}

SkinRect SkinDocument::SetStretchRegion(const SkinRect& region)
{
    const SkinRect applied = ConstrainStretchRegion(region, m_content.crop);
    if (applied == m_content.stretchRegion)
        return applied;
    m_content.stretchRegion = applied;
    Touch();
    emit stretchChanged();
    return applied;
}

void SkinDocument::SetStretchMode(StretchMode mode)
{
    if (mode == m_content.stretchMode)
        return;
    m_content.stretchMode = mode;
    Touch();
    emit stretchChanged();
}

int SkinDocument::SetDecoration(Corner corner, const QString& file, QSize size)
{
    const CornerItem item{
        CornerItemKind::Decoration, corner, DefaultCornerOffset(size), size, file, {}, false};
    int index = DecorationAt(corner);
    if (index >= 0 && m_content.items[index] == item)
        return index;
    if (index >= 0) {
        m_content.items[index] = item;
    } else {
        index = static_cast<int>(m_content.items.size());
        m_content.items.append(item);
    }
    Touch();
    emit itemsChanged();
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
    m_content.items.append({CornerItemKind::Control, corner, place, size, file, name, fromGallery});
    Touch();
    emit itemsChanged();
    return static_cast<int>(m_content.items.size()) - 1;
}

int SkinDocument::ReplaceCornerControl(Corner corner, const QString& file, QSize size, const QString& name,
                                       bool fromGallery)
{
    const int index = ControlAt(corner);
    if (index < 0)
        return AddControl(corner, file, size, name, fromGallery);
    const CornerItem control{
        CornerItemKind::Control, corner, DefaultCornerOffset(size), size, file, name, fromGallery};
    if (m_content.items[index] == control)
        return index;
    m_content.items[index] = control;
    Touch();
    emit itemsChanged();
    return index;
}

QPoint SkinDocument::MoveItem(int index, QPoint offset)
{
    if (!IsItem(index))
        return {};
    CornerItem& item = m_content.items[index];
    const QPoint applied = ClampCornerOffset(item.corner, item.size, offset);
    if (applied != item.offset) {
        item.offset = applied;
        Touch();
        emit itemsChanged();
    }
    return applied;
}

void SkinDocument::ResizeControl(int index, QSize size)
{
    if (!IsItem(index) || !m_content.items[index].IsControl() || m_content.items[index].size == size)
        return;
    m_content.items[index].size = size;
    Touch();
    emit itemsChanged();
}

void SkinDocument::RemoveItem(int index)
{
    if (!IsItem(index))
        return;
    m_content.items.removeAt(index);
    Touch();
    emit itemsChanged();
}

void SkinDocument::RemoveItems(CornerItemKind kind)
{
    if (m_content.items.removeIf([kind](const CornerItem& item) { return item.kind == kind; }) == 0)
        return;
    Touch();
    emit itemsChanged();
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
    m_content.items.removeIf([kind](const CornerItem& item) { return item.kind == kind; });
    for (const CornerItem& item : items) {
        if (item.kind == kind)
            m_content.items.append(item);
    }
    Touch();
    emit itemsChanged();
}

void SkinDocument::SetThumbnail(const QString& path, SharedPicture picture)
{
    if (path.isEmpty())
        picture = nullptr;
    if (path == m_content.thumbnailPath && picture == m_content.thumbnailPicture)
        return;
    m_content.thumbnailPath = path;
    m_content.thumbnailPicture = std::move(picture);
    Touch();
    emit thumbnailChanged();
}

void SkinDocument::SetSkinName(const QString& name)
{
    if (name == m_content.skinName)
        return;
    m_content.skinName = name;
    Touch();
    emit nameChanged(name);
}

void SkinDocument::Reset()
{
    Load(SkinContent());
}

void SkinDocument::Load(SkinContent content)
{
    m_content = std::move(content);
    SetModified(false);
    emit contentReplaced();
    EmitAll();
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
