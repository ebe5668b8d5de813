#include "skin/HeaderStrips.h"

#include "imaging/BitmapFile.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "platform/PackageLimits.h"
#include "skin/PackageNames.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <utility>

StripPlan PlanStrips(const SkinRect& crop, const SkinRect& stretch)
{
    StripPlan plan;
    if (stretch.IsNull()) {
        plan.mid = crop;
        return plan;
    }
    plan.threeStrips = true;
    // Computed in single precision: the player's strips have always been cut with this scale.
    const float scale = 61.0f / static_cast<float>(crop.bottom - crop.top);
    plan.scale = static_cast<double>(scale);
    plan.left = {crop.left, crop.top, stretch.left, crop.bottom};
    plan.mid = stretch;
    plan.right = {stretch.right, crop.top, crop.right, crop.bottom};
    return plan;
}

QString CheckStripSizes(const StripPlan& plan)
{
    const std::pair<const char*, SkinRect> strips[] = {
        {kLeftStripMember, plan.left}, {kMidStripMember, plan.mid}, {kRightStripMember, plan.right}};
    for (int i = plan.threeStrips ? 0 : 1; i < (plan.threeStrips ? 3 : 2); ++i) {
        const auto& [name, source] = strips[i];
        const QSize size = CSkinImage::CroppedScaledSize(source, plan.scale);
        if (!size.isValid())
            continue; // an impossible rectangle fails when it is cut
        const bool copied = size.width() == source.Width() && size.height() == source.Height();
        if (!copied && (size.width() > kMaxResampleSide || size.height() > kMaxResampleSide))
            return QCoreApplication::translate(
                       "HeaderStrips",
                       "顶部图片“%1”要缩放到 %2×%3 像素，超过了缩放的上限（宽和高最多 %4 像素）。"
                       "请缩小裁剪区域的宽度或调整拉伸区域。")
                .arg(QLatin1String(name))
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxResampleSide);
        const int64_t bmpBytes = 54 + (int64_t(size.width()) * 24 + 31) / 32 * 4 * size.height();
        if (bmpBytes > kMaxMemberBytes || int64_t(size.width()) * size.height() > kMaxPackagePicturePixels)
            return QCoreApplication::translate(
                       "HeaderStrips", "顶部图片“%1”有 %2×%3 像素，超过了皮肤包中每个文件 %4 MB 的上限。"
                                       "请缩小裁剪区域，或设置拉伸区域（顶部图片会缩放到 61 像素高）。")
                .arg(QLatin1String(name))
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxMemberBytes >> 20);
    }
    return {};
}

ThumbnailCut PlanThumbnailCut(const SkinRect& crop)
{
    const int height = crop.bottom - crop.top;
    ThumbnailCut cut;
    const double left = crop.right - height * (static_cast<double>(kThumbnailWidth) / kThumbnailHeight);
    cut.source = {static_cast<int32_t>(left), crop.top, crop.right, crop.bottom};
    cut.scale = static_cast<double>(kThumbnailHeight) / height;
    return cut;
}

namespace {

// A rendition that fits without being squeezed by the resampler's limit.
bool SavableSize(int64_t sourceWidth, int64_t sourceHeight, QSize wanted)
{
    return (wanted.width() == sourceWidth && wanted.height() == sourceHeight) ||
           (wanted.width() <= kMaxResampleSide && wanted.height() <= kMaxResampleSide);
}

// The source rectangle at the scale, as the bytes of a BMP file; empty on failure.
QByteArray CroppedScaledBitmap(CSkinImage& picture, const SkinRect& source, double scale)
{
    const QSize size = CSkinImage::CroppedScaledSize(source, scale);
    if (!size.isValid() || !SavableSize(source.Width(), source.Height(), size))
        return {};
    // At its own size and wholly inside the picture, the rectangle is read in place: the same
    // pixels as the picture object's copy, without copying a strip of a large photo first.
    const QImage& whole = picture.Picture();
    const QRect wanted = source.ToQRect();
    if (size == wanted.size() && whole.rect().contains(wanted) && whole.format() == QImage::Format_ARGB32) {
        const QImage view(whole.constScanLine(wanted.top()) + 4 * qsizetype(wanted.left()), wanted.width(),
                          wanted.height(), whole.bytesPerLine(), QImage::Format_ARGB32);
        return JoinBitmaps({view});
    }
    const QImage* bitmap =
        picture.GetCroppedScaledBitmap(size.width(), size.height(), source, ResampleFilter::Hermite);
    return bitmap != nullptr ? JoinBitmaps({*bitmap}) : QByteArray();
}

} // namespace

bool CutHeaderStrips(CSkinImage& picture, const SkinRect& crop, const SkinRect& stretch,
                     const TakeMember& take, QString* failedFile)
{
    const StripPlan plan = PlanStrips(crop, stretch);
    struct Strip {
        const char* name;
        SkinRect source;
    };
    QList<Strip> strips;
    if (plan.threeStrips)
        strips = {
            {kLeftStripMember, plan.left}, {kMidStripMember, plan.mid}, {kRightStripMember, plan.right}};
    else
        strips = {{kMidStripMember, plan.mid}};
    for (const Strip& strip : strips) {
        QByteArray bytes = CroppedScaledBitmap(picture, strip.source, plan.scale);
        if (bytes.isEmpty() || !take(strip.name, std::move(bytes))) {
            if (failedFile)
                *failedFile = QLatin1String(strip.name);
            return false;
        }
    }
    return true;
}

QByteArray CutThumbnail(CSkinImage& header, const SkinRect& crop, CSkinImage* chosenThumbnail)
{
    if (chosenThumbnail) {
        const QSize size = chosenThumbnail->GetSize();
        if (!SavableSize(size.width(), size.height(), QSize(kThumbnailWidth, kThumbnailHeight)))
            return {};
        const QImage* bitmap =
            chosenThumbnail->GetScaledBitmap(kThumbnailWidth, kThumbnailHeight, ResampleFilter::Hermite);
        return bitmap != nullptr ? JoinBitmaps({*bitmap}) : QByteArray();
    }
    const ThumbnailCut cut = PlanThumbnailCut(crop);
    return CroppedScaledBitmap(header, cut.source, cut.scale);
}

QSize DeclaredSize(const QByteArray& bytes, const char* member)
{
    QByteArray view = QByteArray::fromRawData(bytes.constData(), bytes.size());
    QBuffer buffer(&view);
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer, QFileInfo(QLatin1String(member)).suffix().toLatin1()).size();
    return size.isValid() ? size : QSize();
}

namespace {

// The picture as the header is built from it: decoded, partly transparent pixels over black.
QImage StripBitmap(const QByteArray& bytes)
{
    CSkinImage picture;
    return picture.LoadFromImage(DecodePictureBytes(bytes)) ? picture.GetHBitmap() : QImage();
}

} // namespace

bool PictureTooLarge(const QByteArray& bytes, const char* member)
{
    const QSize size = DeclaredSize(bytes, member);
    return int64_t(size.width()) * size.height() > kMaxPackagePicturePixels;
}

RebuiltHeader RebuildHeader(const MemberBytes& member)
{
    RebuiltHeader result;
    const std::optional<QByteArray> left = member(kLeftStripMember);
    const std::optional<QByteArray> mid = member(kMidStripMember);
    const std::optional<QByteArray> right = member(kRightStripMember);
    if (left && right && mid) {
        // The joined header holds every strip side by side: its size bounds theirs.
        const QSize sizes[] = {DeclaredSize(*left, kLeftStripMember), DeclaredSize(*mid, kMidStripMember),
                               DeclaredSize(*right, kRightStripMember)};
        const int64_t width = int64_t(sizes[0].width()) + sizes[1].width() + sizes[2].width();
        const int64_t height = std::max({sizes[0].height(), sizes[1].height(), sizes[2].height()});
        if (width * height > kMaxPackagePicturePixels) {
            result.failed = result.tooLarge = true;
            return result;
        }
        const QImage leftBitmap = StripBitmap(*left);
        const QImage midBitmap = StripBitmap(*mid);
        const QImage rightBitmap = StripBitmap(*right);
        // The left and middle strips joined first, then the right one: the joined pair is
        // opaque, so joining all three at once gives the same bytes.
        result.joinedLeftMid = JoinBitmaps({leftBitmap, midBitmap});
        result.header = JoinBitmaps({leftBitmap, midBitmap, rightBitmap});
        if (result.joinedLeftMid.isEmpty() || result.header.isEmpty()) {
            result.failed = true;
            return result;
        }
        result.source = RebuiltHeader::Source::Strips;
        result.stretch = {leftBitmap.width(), 0, leftBitmap.width() + midBitmap.width(), leftBitmap.height()};
        return result;
    }
    if (mid) {
        if (PictureTooLarge(*mid, kMidStripMember)) {
            result.failed = result.tooLarge = true;
            return result;
        }
        result.header = *mid;
        result.source = RebuiltHeader::Source::MidOnly;
    }
    return result;
}
