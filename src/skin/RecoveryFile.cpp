#include "skin/RecoveryFile.h"

#include "imaging/ImageLoading.h"
#include "platform/PackageLimits.h"
#include "skin/HeaderCrop.h"
#include "skin/PackageNames.h"
#include "skin/SkinFolders.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

constexpr char kFormatName[] = "skinmaker-recovery";
constexpr int kFormatVersion = 1;
constexpr char kCopiesFolder[] = "files";
constexpr qsizetype kMaxPathChars = 4096;
// A name is short; the file's own bound keeps all of them together small.
constexpr qsizetype kMaxTextChars = 65536;
// One decoration and one own control per corner, and the extra controls.
constexpr qsizetype kMaxItems = 2 * kCornerCount + kMaxFlashControls;
constexpr int kMaxStep = 5;
constexpr qint64 kCopyChunk = qint64(1) << 20;

QString Quoted(const QString& text)
{
    return QStringLiteral("“%1”").arg(text);
}

QString CleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool IsUnder(const QString& path, const QString& root)
{
    const QString base = CleanAbsolute(root);
    return !root.isEmpty() && path.startsWith(base.endsWith('/') ? base : base + '/');
}

// ---- writing ----

// A copy's name as the writer makes it: files/<16 hex digits>/<a file name>.
bool IsCopyName(const QString& name)
{
    const QStringList parts = name.split('/');
    if (parts.size() != 3 || parts[0] != QLatin1String(kCopiesFolder) || parts[1].size() != 16 ||
        parts[2].isEmpty() || parts[2] == QLatin1String(".") || parts[2] == QLatin1String(".."))
        return false;
    return std::all_of(parts[1].begin(), parts[1].end(),
                       [](QChar c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

QJsonArray RectJson(const SkinRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Where a copy of source goes, relative to the recovery folder: its own folder named after the
// source's path, so that the copy keeps the file's name (a control's name in the list is its file's).
QString CopyName(const QString& source)
{
    const QByteArray hash =
        QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1/%2/%3")
        .arg(QLatin1String(kCopiesFolder), QLatin1String(hash), QFileInfo(source).fileName());
}

// Copies source to target unless target already is a copy of it made after its last change.
bool CopyFresh(const QString& source, const QString& target)
{
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.isFile() && !to.isSymLink() && to.size() == from.size() &&
        to.lastModified() >= from.lastModified())
        return true;
    if (!QDir().mkpath(to.absolutePath()))
        return false;
    QFile in(source);
    QSaveFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kCopyChunk);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size())
            return false;
    }
    return in.error() == QFileDevice::NoError && out.commit();
}

// Writes the references to files, copying those that live only in temporary folders.
class FileReferences {
public:
    FileReferences(const QString& folder, const QStringList& temporaryRoots)
        : m_folder(CleanAbsolute(folder)), m_roots(temporaryRoots)
    {
    }

    QJsonValue Reference(const QString& path)
    {
        if (path.isEmpty())
            return QJsonValue::Null;
        const QString absolute = CleanAbsolute(path);
        // Already a copy in this folder (a state restored from it and written again).
        if (const QString relative = absolute.mid(m_folder.size() + 1);
            IsUnder(absolute, m_folder) && IsCopyName(relative)) {
            m_kept.insert(relative.section('/', 1, 1));
            return QJsonObject{{"copy", relative}};
        }
        const bool temporary = std::any_of(m_roots.begin(), m_roots.end(),
                                           [&](const QString& root) { return IsUnder(absolute, root); });
        // A file already gone is written as a path: reading it back names it as missing.
        if (!temporary || !QFileInfo(absolute).isFile())
            return QJsonObject{{"path", absolute}};
        const QString copy = CopyName(absolute);
        if (!CopyFresh(absolute, m_folder + '/' + copy) && m_failed.isEmpty())
            m_failed = path;
        m_kept.insert(copy.section('/', 1, 1));
        return QJsonObject{{"path", absolute}, {"copy", copy}};
    }

    // The first file that could not be copied; empty when all were.
    const QString& Failed() const { return m_failed; }

    // Removes the copies no reference names any more.
    void RemoveUnused() const
    {
        QDir copies(m_folder + '/' + QLatin1String(kCopiesFolder));
        for (const QString& name : copies.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (!m_kept.contains(name))
                QDir(copies.filePath(name)).removeRecursively();
        }
    }

private:
    QString m_folder;
    QStringList m_roots;
    QSet<QString> m_kept; // the copies' folder names
    QString m_failed;
};

QJsonObject StateJson(const RecoveryState& state, FileReferences& files)
{
    const SkinContent& skin = state.content;
    QJsonObject json;
    json["format"] = QLatin1String(kFormatName);
    json["version"] = kFormatVersion;
    json["step"] = std::clamp(state.step, 0, kMaxStep);
    json["picture"] = files.Reference(skin.picturePath);
    json["crop"] = RectJson(skin.crop);
    json["mainColour"] = qint64(skin.mainColour);
    if (skin.colourAsRead)
        json["colourAsRead"] = QJsonObject{{"hue", skin.colourAsRead->numbers.hue},
                                           {"sat", skin.colourAsRead->numbers.sat},
                                           {"light", skin.colourAsRead->numbers.light},
                                           {"colour", qint64(skin.colourAsRead->colour)}};
    else
        json["colourAsRead"] = QJsonValue::Null;
    json["whiteTabText"] = skin.whiteTabText;
    json["stretchRegion"] = RectJson(skin.stretchRegion);
    json["tile"] = skin.stretchMode == StretchMode::Tile;
    QJsonArray items;
    for (const CornerItem& item : skin.items)
        items.append(QJsonObject{{"control", item.IsControl()},
                                 {"corner", CornerIndex(item.corner)},
                                 {"offset", QJsonArray{item.offset.x(), item.offset.y()}},
                                 {"size", QJsonArray{item.size.width(), item.size.height()}},
                                 {"file", files.Reference(item.file)},
                                 {"displayName", item.displayName},
                                 {"fromGallery", item.fromGallery}});
    json["items"] = items;
    json["thumbnail"] = files.Reference(skin.thumbnailPath);
    json["name"] = skin.skinName;
    return json;
}

// ---- reading ----

// Reads the fields of the recovery file; the first value missing, of the wrong type or out of
// bounds makes it fail.
class FieldReader {
public:
    bool Ok() const { return m_ok; }

    qint64 Number(const QJsonValue& value, qint64 min, qint64 max)
    {
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || !std::isfinite(number) || number != std::floor(number) ||
            number < double(min) || number > double(max))
            return Fail(min);
        return qint64(number);
    }
    int Int(const QJsonValue& value, int min = INT_MIN, int max = INT_MAX)
    {
        return int(Number(value, min, max));
    }
    bool Bool(const QJsonValue& value)
    {
        if (!value.isBool())
            return Fail(false);
        return value.toBool();
    }
    QString Text(const QJsonValue& value, qsizetype maxChars = kMaxTextChars)
    {
        if (!value.isString() || value.toString().size() > maxChars)
            return Fail(QString());
        return value.toString();
    }
    QJsonArray Array(const QJsonValue& value, qsizetype size)
    {
        if (!value.isArray() || value.toArray().size() != size)
            return Fail(QJsonArray());
        return value.toArray();
    }
    SkinRect Rect(const QJsonValue& value)
    {
        const QJsonArray numbers = Array(value, 4);
        if (!m_ok)
            return {};
        return {Int(numbers[0]), Int(numbers[1]), Int(numbers[2]), Int(numbers[3])};
    }
    QPoint Point(const QJsonValue& value)
    {
        const QJsonArray numbers = Array(value, 2);
        return m_ok ? QPoint(Int(numbers[0]), Int(numbers[1])) : QPoint();
    }
    template <typename T> T Fail(T value)
    {
        m_ok = false;
        return value;
    }

private:
    bool m_ok = true;
};

// A file reference as read: the file to use and the name to tell the user when it is gone.
struct FileRead {
    QString path;  // empty: none
    QString named; // the path the user knows
    bool copy = false;
    bool present = false;
};

FileRead ReadReference(const QJsonValue& value, const QString& folder, FieldReader& fields)
{
    FileRead file;
    if (value.isNull())
        return file;
    if (!value.isObject())
        return fields.Fail(file);
    const QJsonObject json = value.toObject();
    const QString original = json.contains("path") ? fields.Text(json["path"], kMaxPathChars) : QString();
    if (json.contains("copy")) {
        const QString copy = fields.Text(json["copy"], kMaxPathChars);
        if (!IsCopyName(copy))
            return fields.Fail(file);
        file.path = folder + '/' + copy;
        file.copy = true;
        const QFileInfo info(file.path);
        // A copy is what a package or a download gave: no larger than a whole package.
        file.present = info.isFile() && !info.isSymLink() && info.size() <= kMaxPackageBytes;
    } else {
        if (original.isEmpty() || QDir::isRelativePath(original))
            return fields.Fail(file);
        file.path = original;
        file.present = QFileInfo(original).isFile();
    }
    file.named = original.isEmpty() ? file.path : original;
    return file;
}

// The picture of a file read, decoded; null when it cannot be. A copy must stay within the size a
// package's pictures may have; a file of the user's is decoded as when it was chosen.
SharedPicture DecodeFile(const FileRead& file)
{
    if (!file.present)
        return nullptr;
    if (file.copy) {
        const QSize size = PictureFileSize(file.path);
        if (size.isEmpty() || qint64(size.width()) * size.height() > kMaxPackagePicturePixels)
            return nullptr;
    }
    auto picture = std::make_shared<CSkinImage>();
    return picture->LoadFromFile(file.path) ? picture : nullptr;
}

QString Damaged(const QString& path)
{
    return QCoreApplication::translate("RecoveryFile", "恢复文件%1已损坏，无法恢复。").arg(Quoted(path));
}

// The items as read; false when one is out of place (a corner with two decorations, too many
// controls).
bool ReadItems(const QJsonValue& value, const QString& folder, FieldReader& fields, RecoveryRead& read,
               QList<CornerItem>& items)
{
    if (!value.isArray() || value.toArray().size() > kMaxItems)
        return false;
    PerCorner<int> decorations{};
    PerCorner<int> controls{};
    for (const QJsonValue& entry : value.toArray()) {
        const QJsonObject json = entry.toObject();
        CornerItem item;
        item.kind = fields.Bool(json["control"]) ? CornerItemKind::Control : CornerItemKind::Decoration;
        const std::optional<Corner> corner = CornerAt(fields.Int(json["corner"], 0, kCornerCount - 1));
        item.corner = corner.value_or(Corner::LeftTop);
        item.offset = fields.Point(json["offset"]);
        const QPoint size = fields.Point(json["size"]);
        item.size = {size.x(), size.y()};
        const FileRead file = ReadReference(json["file"], folder, fields);
        item.displayName = fields.Text(json["displayName"]);
        item.fromGallery = fields.Bool(json["fromGallery"]);
        if (!fields.Ok() || !entry.isObject() || file.path.isEmpty())
            return false;
        ++(item.IsControl() ? controls : decorations)[item.corner];
        if (!file.present) {
            read.missingFiles.append(file.named);
            continue;
        }
        item.file = file.path;
        items.append(item);
    }
    int extraControls = 0;
    for (Corner corner : kCorners) {
        if (decorations[corner] > 1)
            return false;
        extraControls += std::max(0, controls[corner] - 1);
    }
    return extraControls <= kMaxFlashControls;
}

// The picture decoded into skin, with the crop and region read. A picture that has changed size
// since gets its default crop and no region; without a picture there is neither.
void AttachPicture(const FileRead& file, RecoveryRead& read, SkinContent& skin)
{
    const SkinRect crop = std::exchange(skin.crop, {});
    const SkinRect region = std::exchange(skin.stretchRegion, {});
    if (file.path.isEmpty())
        return;
    skin.picture = DecodeFile(file);
    if (skin.picture == nullptr) {
        read.missingFiles.append(file.named);
        return;
    }
    skin.picturePath = file.path;
    const QSize size = skin.picture->GetSize();
    // Bounds first: then no width or height below can overflow.
    if (crop.left < 0 || crop.top < 0 || crop.right > size.width() || crop.bottom > size.height() ||
        crop.IsEmpty()) {
        skin.crop = DefaultCrop(size);
        return;
    }
    skin.crop = crop;
    const bool inside = region.left >= crop.left && region.right <= crop.right && region.top >= crop.top &&
                        region.bottom <= crop.bottom;
    if (inside && ConstrainStretchRegion(region, crop) == region)
        skin.stretchRegion = region;
}

void AttachThumbnail(const FileRead& file, RecoveryRead& read, SkinContent& skin)
{
    if (file.path.isEmpty())
        return;
    skin.thumbnailPicture = DecodeFile(file);
    if (skin.thumbnailPicture != nullptr)
        skin.thumbnailPath = file.path;
    else
        read.missingFiles.append(file.named);
}

// Every field is read and checked before any picture is decoded.
std::optional<RecoveryState> ReadState(const QJsonObject& json, const QString& folder, RecoveryRead& read)
{
    FieldReader fields;
    RecoveryState state;
    SkinContent& skin = state.content;
    state.step = fields.Int(json["step"], 0, kMaxStep);
    const FileRead picture = ReadReference(json["picture"], folder, fields);
    skin.crop = fields.Rect(json["crop"]);
    skin.stretchRegion = fields.Rect(json["stretchRegion"]);
    skin.mainColour = ColorRef(fields.Number(json["mainColour"], 0, 0xFFFFFFFF));
    if (const QJsonValue asRead = json["colourAsRead"]; !asRead.isNull()) {
        const QJsonObject numbers = asRead.toObject();
        skin.colourAsRead = ColourAsRead{
            {fields.Int(numbers["hue"]), fields.Int(numbers["sat"]), fields.Int(numbers["light"])},
            ColorRef(fields.Number(numbers["colour"], 0, 0xFFFFFFFF))};
        if (!asRead.isObject())
            fields.Fail(0);
    }
    skin.whiteTabText = fields.Bool(json["whiteTabText"]);
    skin.stretchMode = fields.Bool(json["tile"]) ? StretchMode::Tile : StretchMode::Stretch;
    if (!ReadItems(json["items"], folder, fields, read, skin.items))
        fields.Fail(0);
    const FileRead thumbnail = ReadReference(json["thumbnail"], folder, fields);
    skin.skinName = fields.Text(json["name"]);
    if (!fields.Ok())
        return std::nullopt;
    AttachPicture(picture, read, skin);
    AttachThumbnail(thumbnail, read, skin);
    return state;
}

} // namespace

bool WriteRecovery(const RecoveryState& state, const QString& folder, const QStringList& temporaryRoots,
                   QString* error)
{
    const auto fail = [error](const QString& message) {
        if (error != nullptr)
            *error = message;
        return false;
    };
    if (const FolderResult made = MakeFolders(folder); !made)
        return fail(made.error);
    if (!QFile::setPermissions(folder,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return fail(
            QCoreApplication::translate("RecoveryFile", "无法设置恢复文件夹%1的权限。").arg(Quoted(folder)));
    FileReferences files(folder, temporaryRoots);
    const QByteArray bytes = QJsonDocument(StateJson(state, files)).toJson(QJsonDocument::Indented);
    if (!files.Failed().isEmpty())
        return fail(QCoreApplication::translate("RecoveryFile", "无法把文件%1复制到恢复文件夹%2。")
                        .arg(Quoted(files.Failed()), Quoted(folder)));
    const QString path = folder + '/' + QLatin1String(kRecoveryFileName);
    // Never a file that reading would refuse.
    if (bytes.size() > kMaxRecoveryBytes)
        return fail(QCoreApplication::translate("RecoveryFile", "皮肤的内容过多，无法写入恢复文件%1。")
                        .arg(Quoted(path)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(QCoreApplication::translate("RecoveryFile", "无法写入恢复文件%1。").arg(Quoted(path)));
    files.RemoveUnused();
    return true;
}

RecoveryRead ReadRecovery(const QString& folder)
{
    RecoveryRead read;
    const QString path = folder + '/' + QLatin1String(kRecoveryFileName);
    const QFileInfo info(path);
    if (!info.exists()) {
        read.error = QCoreApplication::translate("RecoveryFile", "没有找到恢复文件%1。").arg(Quoted(path));
        return read;
    }
    if (!info.isFile() || info.isSymLink() || info.size() > kMaxRecoveryBytes) {
        read.error =
            QCoreApplication::translate("RecoveryFile", "%1不是有效的恢复文件（最多 %2 KB），无法恢复。")
                .arg(Quoted(path))
                .arg(kMaxRecoveryBytes >> 10);
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.error = QCoreApplication::translate("RecoveryFile", "无法读取恢复文件%1。").arg(Quoted(path));
        return read;
    }
    const QByteArray bytes = file.read(kMaxRecoveryBytes + 1);
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    if (bytes.size() > kMaxRecoveryBytes || parsed.error != QJsonParseError::NoError ||
        !document.isObject()) {
        read.error = Damaged(path);
        return read;
    }
    const QJsonObject json = document.object();
    if (json["format"].toString() != QLatin1String(kFormatName)) {
        read.error = QCoreApplication::translate("RecoveryFile", "%1不是本程序的恢复文件，无法恢复。")
                         .arg(Quoted(path));
        return read;
    }
    FieldReader version;
    if (version.Int(json["version"], 1) > kFormatVersion && version.Ok()) {
        read.error = QCoreApplication::translate("RecoveryFile",
                                                 "恢复文件%1来自更新版本的皮肤制作工具，此版本无法恢复它。")
                         .arg(Quoted(path));
        return read;
    }
    if (!version.Ok()) {
        read.error = Damaged(path);
        return read;
    }
    read.state = ReadState(json, CleanAbsolute(folder), read);
    if (!read.state) {
        read.missingFiles.clear();
        read.error = Damaged(path);
    }
    return read;
}
