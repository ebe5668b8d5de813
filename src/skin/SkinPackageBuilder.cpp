// BuildPackage: skin -> members in memory -> package.
#include "imaging/BitmapFile.h"
#include "imaging/CSkinImage.h"
#include "skin/GbkText.h"
#include "skin/HeaderStrips.h"
#include "skin/PackageNames.h"
#include "skin/ProfileFile.h"
#include "skin/SkinDescription.h"
#include "skin/SkinFolders.h"
#include "skin/SkinPackage.h"
#include "zip/Zip.h"
#include "zip/ZipArchive.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

QString PackageNameKey(const QString& packagePath)
{
    const QString fileName = FileNamePart(packagePath);
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

namespace {

QString Quoted(const QString& text)
{
    return QStringLiteral("“%1”").arg(text);
}

// The members of the package in the making, added in package order. Each is compressed as soon as
// it is added, while the next one is made. Members made ahead are in the archive already.
class PackageMembers {
public:
    PackageMembers() : m_own(std::make_unique<ZipArchive>()), m_archive(*m_own) {}
    PackageMembers(ZipArchive& ahead, const QDateTime& time) : m_archive(ahead), m_time(time) {}
    bool Add(const QString& name, QByteArray bytes)
    {
        return m_archive.Add(name, std::move(bytes), m_time) == ZIP_OK;
    }
    bool Has(const char* name) const
    {
        return std::any_of(m_archive.Entries().begin(), m_archive.Entries().end(),
                           [name](const ZipItem& item) { return item.name == QLatin1String(name); });
    }
    ZipArchive& Archive() { return m_archive; }

private:
    std::unique_ptr<ZipArchive> m_own;
    ZipArchive& m_archive;
    const QDateTime m_time = QDateTime::currentDateTimeUtc();
};

// Empty when the skin can be built into packagePath; otherwise the message to show.
QString CheckSkin(const SkinContent& skin, const QString& packagePath)
{
    if (skin.picture == nullptr || !skin.picture->HasPicture())
        return QCoreApplication::translate("SkinPackage", "没有可用的图片，请先选择图片。");
    if (skin.crop.IsEmpty())
        return QCoreApplication::translate("SkinPackage", "图片的裁剪区域为空。");
    if (const QString nameError = CheckSkinName(skin.skinName); !nameError.isEmpty())
        return nameError;
    const QString nameKey = PackageNameKey(packagePath);
    QByteArray ignored;
    if (!EncodeGbk(nameKey, ignored) || nameKey.contains('\r') || nameKey.contains('\n'))
        return QCoreApplication::translate("SkinPackage",
                                           "皮肤包的文件名%1含有无法保存的字符，请换一个文件名。")
            .arg(Quoted(nameKey));
    for (const CornerItem& item : skin.items) {
        if (!IsValidCorner(item.corner))
            return QCoreApplication::translate("SkinPackage", "附加控件的位置数据无效。");
    }
    return {};
}

// The header strips and the thumbnail. A thumbnail path without a decoded picture (a page that
// has not loaded it yet) is decoded here.
QString RenderPictures(const SkinContent& skin, PackageMembers& members)
{
    CSkinImage loadedThumbnail;
    CSkinImage* chosen = nullptr;
    if (!skin.thumbnailPath.isEmpty()) {
        chosen = skin.thumbnailPicture.get();
        if (chosen == nullptr || !chosen->HasPicture()) {
            if (!loadedThumbnail.LoadFromFile(skin.thumbnailPath))
                return QCoreApplication::translate("SkinPackage", "无法加载缩略图%1。")
                    .arg(Quoted(skin.thumbnailPath));
            chosen = &loadedThumbnail;
        }
    }
    if (QString tooLarge = CheckStripSizes(PlanStrips(skin.crop, skin.stretchRegion)); !tooLarge.isEmpty())
        return tooLarge;
    QString failedStrip;
    const auto addStrip = [&members](const char* name, QByteArray bytes) {
        return members.Add(QLatin1String(name), std::move(bytes));
    };
    const bool madeAhead = members.Has(kMidStripMember);
    if (!madeAhead && !CutHeaderStrips(*skin.picture, skin.crop, skin.stretchRegion, addStrip, &failedStrip))
        return QCoreApplication::translate("SkinPackage", "无法生成皮肤图片%1。").arg(Quoted(failedStrip));
    QByteArray thumbnail = CutThumbnail(*skin.picture, skin.crop, chosen);
    if (thumbnail.isEmpty() || !members.Add(QLatin1String(kThumbnailMember), std::move(thumbnail)))
        return QCoreApplication::translate("SkinPackage", "无法生成缩略图。");
    return {};
}

// conf.ini; one left in the build folder by an earlier build is the base that is updated.
QString AddDescriptionFile(const SkinContent& skin, const QString& packagePath, PackageMembers& members)
{
    const QString confPath = BuildFolder() + '/' + QLatin1String(kConfMember);
    ProfileFile conf;
    if (!conf.Load(confPath))
        return QCoreApplication::translate("SkinPackage", "无法读取临时文件%1。").arg(Quoted(confPath));
    WriteDescription(skin, PackageNameKey(packagePath), conf);
    if (!members.Add(QLatin1String(kConfMember), conf.Bytes()))
        return QCoreApplication::translate("SkinPackage", "无法写入皮肤描述文件%1。").arg(Quoted(confPath));
    return {};
}

// The bytes of the decorations, the corner controls and the extra controls, in that order.
QString AddCopiedMembers(const SkinContent& skin, PackageMembers& members)
{
    QStringList copyFailures;
    auto copyMember = [&](const QString& source, const QString& memberName) {
        QFile file(source);
        if (!QFileInfo(source).isFile() || !file.open(QIODevice::ReadOnly))
            copyFailures.append(source);
        else if (QByteArray bytes = file.readAll();
                 file.error() != QFileDevice::NoError || !members.Add(memberName, std::move(bytes)))
            copyFailures.append(source);
    };
    for (Corner corner : kCorners) {
        for (const CornerItem& item : skin.items) {
            if (item.IsDecoration() && item.corner == corner) {
                copyMember(item.file, DecorationMember(corner));
                break;
            }
        }
    }
    const PackageControls controls = SplitControls(skin.items);
    for (Corner corner : kCorners) {
        if (controls.corner[corner])
            copyMember(controls.corner[corner]->file, CornerControlMember(corner));
    }
    for (qsizetype k = 0; k < controls.extra.size(); ++k)
        copyMember(controls.extra[k].file, ExtraControlMember(static_cast<int>(k) + 1));
    if (!copyFailures.isEmpty())
        return QCoreApplication::translate("SkinPackage", "无法读取文件%1。")
            .arg(Quoted(copyFailures.first()));
    return {};
}

} // namespace

BuildResult BuildPackage(const SkinDocument& document, const QString& packagePath, StripAhead* ahead)
{
    return BuildPackage(document.Content(), packagePath, ahead);
}

BuildResult BuildPackage(const SkinContent& skin, const QString& packagePath, StripAhead* ahead)
{
    if (QString error = CheckSkin(skin, packagePath); !error.isEmpty())
        return {false, error};
    if (const FolderResult prepared = PrepareBuildFolder(); !prepared)
        return {false, prepared.error};
    ZipArchive* madeAhead = ahead != nullptr ? ahead->ArchiveFor(skin) : nullptr;
    std::optional<PackageMembers> chosen;
    if (madeAhead != nullptr)
        chosen.emplace(*madeAhead, ahead->m_time);
    else
        chosen.emplace();
    PackageMembers& members = *chosen;
    if (QString error = RenderPictures(skin, members); !error.isEmpty())
        return {false, error};
    if (QString error = AddDescriptionFile(skin, packagePath, members); !error.isEmpty())
        return {false, error};
    if (QString error = AddCopiedMembers(skin, members); !error.isEmpty())
        return {false, error};
    // Written once, through a temporary file beside the package that replaces it when complete.
    if (members.Archive().Save(packagePath) != ZIP_OK)
        return {false,
                QCoreApplication::translate("SkinPackage", "无法写入皮肤包%1，请检查文件夹是否存在且可写。")
                    .arg(Quoted(packagePath))};
    return {true, {}};
}

StripAhead::StripAhead(const SkinRect& crop) : m_crop(crop), m_time(QDateTime::currentDateTimeUtc()) {}

StripAhead::~StripAhead() = default;

void StripAhead::RowsDecoded(const QImage& rows, int firstRow, int decoded)
{
    if (m_failed)
        return;
    if (m_rows == nullptr) {
        // The first report: the strip's bitmap goes into a new archive, its headers written.
        const QRect band(0, firstRow, rows.width(), rows.height());
        const QRect strip = m_crop.ToQRect();
        QByteArray bitmap;
        char* data = nullptr;
        if (m_crop.IsEmpty() || !band.contains(strip) || rows.format() != QImage::Format_ARGB32 ||
            (bitmap = NewBitmap24(strip.width(), strip.height())).isEmpty()) {
            m_failed = true;
            return;
        }
        m_archive = std::make_unique<ZipArchive>();
        if (m_archive->AddInPlace(QLatin1String(kMidStripMember), std::move(bitmap), m_time, &data) !=
            ZIP_OK) {
            m_failed = true;
            return;
        }
        m_rows = rows.constBits();
        m_size = rows.size();
        m_firstRow = firstRow;
        m_strip = data;
        m_archive->Written(0, kBitmapHeadersSize);
    }
    if (rows.constBits() != m_rows || rows.size() != m_size || firstRow != m_firstRow ||
        decoded < m_decoded || decoded > m_size.height()) {
        m_failed = true; // not the decode this strip is made of
        return;
    }
    // Rows of the crop among those newly decoded, each to its place counted from the bottom.
    const int cropTop = m_crop.top - m_firstRow;
    const int height = m_crop.Height();
    const qint64 stride = Stride24(m_crop.Width());
    for (int row = std::max(m_decoded, cropTop); row < std::min(decoded, cropTop + height); ++row) {
        const qint64 at = kBitmapHeadersSize + stride * (height - 1 - (row - cropTop));
        PutBitmapRow(m_strip + at, rows.constScanLine(row) + 4 * qsizetype(m_crop.left), m_crop.Width());
        m_archive->Written(at, at + stride);
    }
    m_decoded = decoded;
}

ZipArchive* StripAhead::ArchiveFor(const SkinContent& skin)
{
    // Whole, and the strip the skin's picture (these rows) and crop give without a stretch region.
    const bool whole = !m_failed && m_rows != nullptr && m_decoded == m_size.height();
    const SkinRect crop{m_crop.left, m_crop.top - m_firstRow, m_crop.right, m_crop.bottom - m_firstRow};
    if (!whole || skin.picture == nullptr || skin.picture->Picture().constBits() != m_rows ||
        skin.picture->GetSize() != m_size || !skin.stretchRegion.IsNull() || skin.crop != crop)
        return nullptr;
    m_taken = true;
    return m_archive.get();
}
