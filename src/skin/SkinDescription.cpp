#include "skin/SkinDescription.h"

#include "platform/PackageLimits.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"

#include <algorithm>
#include <climits>

namespace {

constexpr char kConfSection[] = "CONF";
constexpr char kKeySection[] = "KEY";

QByteArray DecorationKey(Corner corner, char axis)
{
    return QByteArray(CornerKeyName(corner)) + axis;
}
QByteArray CornerControlKey(Corner corner)
{
    return QByteArray("swf") + CornerKeyName(corner);
}
QByteArray ExtraControlKey(int number)
{
    return "swfcontrol" + QByteArray::number(number);
}

QByteArray PlacementValue(const CornerItem& control)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(control.offset.x())
        .arg(control.offset.y())
        .arg(control.size.width())
        .arg(control.size.height())
        .toLatin1();
}

int ReadShort(const ProfileFile& conf, QByteArrayView key)
{
    return conf.ReadInt(kConfSection, key, kProfileShortBuffer);
}

// Brings offsets and sizes of items within the bounds a real skin uses, counting what it changed.
class ItemBounds {
public:
    QPoint Offset(QPoint offset)
    {
        return {Clamp(offset.x(), -kMaxItemOffset, kMaxItemOffset),
                Clamp(offset.y(), -kMaxItemOffset, kMaxItemOffset)};
    }
    // A size of 0 or less stands for the movie's stage size and stays.
    QSize Size(QSize size)
    {
        return {Clamp(size.width(), INT_MIN, kMaxItemSide), Clamp(size.height(), INT_MIN, kMaxItemSide)};
    }
    int Changed() const { return m_changed; }

private:
    int Clamp(int value, int least, int most)
    {
        const int bounded = std::clamp(value, least, most);
        m_changed += bounded != value ? 1 : 0;
        return bounded;
    }
    int m_changed = 0;
};

// The extra controls of the file, or an empty list when one of their values is malformed.
QList<CornerItem> ReadExtraControls(const ProfileFile& conf, ItemBounds& bounds)
{
    const int declared = conf.ReadInt(kKeySection, "swfcontrolnum", kProfileCountBuffer);
    // The first ones of a package that declares more than a skin may have are kept.
    const int count = std::clamp(declared, 0, kMaxFlashControls);
    QList<CornerItem> controls;
    for (int k = 1; k <= count; ++k) {
        CornerItem control;
        control.kind = CornerItemKind::Control;
        control.size = {0, 0};
        const QByteArray value = conf.ReadBytes(kKeySection, ExtraControlKey(k), kProfileTextBuffer);
        if (!value.isEmpty()) {
            const QList<int> parts = SplitProfileValue(value);
            // The file numbers corners 1..4; anything else would index past the four corners.
            const std::optional<Corner> corner =
                parts.size() == 5 ? CornerFromStoredNumber(parts[4]) : std::nullopt;
            if (!corner)
                return {};
            control.offset = bounds.Offset({parts[0], parts[1]});
            control.size = bounds.Size({parts[2], parts[3]});
            control.corner = *corner;
        }
        controls.append(control);
    }
    return controls;
}

} // namespace

PackageControls SplitControls(const QList<CornerItem>& items)
{
    PackageControls controls;
    for (const CornerItem& item : items) {
        if (!item.IsControl() || !IsValidCorner(item.corner))
            continue;
        if (!controls.corner[item.corner])
            controls.corner[item.corner] = item;
        else
            controls.extra.append(item);
    }
    return controls;
}

void WriteDescription(const SkinContent& skin, const QString& packageName, ProfileFile& conf)
{
    const SkinColorNumbers colour = MainColourNumbers(skin);
    conf.WriteString(kConfSection, "name", packageName);
    conf.WriteBytes(kConfSection, "hue", QByteArray::number(colour.hue));
    conf.WriteBytes(kConfSection, "sat", QByteArray::number(colour.sat));
    conf.WriteBytes(kConfSection, "light", QByteArray::number(colour.light));
    conf.WriteBytes(kConfSection, "white", skin.whiteTabText ? "1" : "0");
    for (Corner corner : kCorners) {
        for (const CornerItem& decoration : skin.items) {
            if (!decoration.IsDecoration() || decoration.corner != corner)
                continue;
            conf.WriteBytes(kConfSection, DecorationKey(corner, 'x'),
                            QByteArray::number(decoration.offset.x()));
            conf.WriteBytes(kConfSection, DecorationKey(corner, 'y'),
                            QByteArray::number(decoration.offset.y()));
            break;
        }
    }
    const PackageControls controls = SplitControls(skin.items);
    for (Corner corner : kCorners) {
        if (const std::optional<CornerItem>& control = controls.corner[corner])
            conf.WriteBytes(kKeySection, CornerControlKey(corner), PlacementValue(*control));
    }
    if (!controls.extra.isEmpty()) {
        conf.WriteBytes(kKeySection, "swfcontrolnum", QByteArray::number(controls.extra.size()));
        for (qsizetype k = 0; k < controls.extra.size(); ++k) {
            const CornerItem& control = controls.extra[k];
            conf.WriteBytes(kKeySection, ExtraControlKey(static_cast<int>(k) + 1),
                            PlacementValue(control) + ',' +
                                QByteArray::number(StoredCornerNumber(control.corner)));
        }
    }
    if (skin.stretchMode == StretchMode::Tile)
        conf.WriteBytes(kConfSection, "tile", "1");
    conf.WriteString(kConfSection, "showname", skin.skinName);
    conf.WriteBytes(kConfSection, "subjectwriter", "0");
    conf.WriteBytes(kConfSection, "subjectinfo", "0");
    conf.WriteBytes(kConfSection, "id", "0");
}

SkinDescription ReadDescription(const ProfileFile& conf)
{
    SkinDescription description;
    description.name = conf.ReadString(kConfSection, "name", kProfileTextBuffer);
    description.colour = {ReadShort(conf, "hue"), ReadShort(conf, "sat"), ReadShort(conf, "light")};
    description.whiteTabText = ReadShort(conf, "white") != 0;
    description.tile = ReadShort(conf, "tile");
    description.showName = conf.ReadString(kConfSection, "showname", kProfileTextBuffer);
    ItemBounds bounds;
    for (Corner corner : kCorners) {
        description.decorationOffsets[corner] = bounds.Offset(
            {ReadShort(conf, DecorationKey(corner, 'x')), ReadShort(conf, DecorationKey(corner, 'y'))});
        const QList<int> parts =
            SplitProfileValue(conf.ReadBytes(kKeySection, CornerControlKey(corner), kProfileTextBuffer));
        if (parts.size() == 4)
            description.cornerControls[corner] = CornerItem{CornerItemKind::Control, corner,
                                                            bounds.Offset({parts[0], parts[1]}),
                                                            bounds.Size({parts[2], parts[3]}), {}, {}, false};
    }
    description.extraControls = ReadExtraControls(conf, bounds);
    description.outOfBounds = bounds.Changed();
    description.declaredExtraControls =
        std::max(0, conf.ReadInt(kKeySection, "swfcontrolnum", kProfileCountBuffer));
    return description;
}
