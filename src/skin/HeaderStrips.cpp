#include "skin/HeaderStrips.h"

#include "imaging/BitmapFile.h"
#include "imaging/CSkinImage.h"
#include "platform/PackageLimits.h"
#include "skin/PackageNames.h"
#include "skin/SkinFolders.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>

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

ThumbnailCut PlanThumbnailCut(const SkinRect& crop)
{
    const int height = crop.bottom - crop.top;
    ThumbnailCut cut;
    const double left = crop.right - height * (static_cast<double>(kThumbnailWidth) / kThumbnailHeight);
    cut.source = {static_cast<int32_t>(left), crop.top, crop.right, crop.bottom};
    cut.scale = static_cast<double>(kThumbnailHeight) / height;
    return cut;
}

bool CutHeaderStrips(CSkinImage& picture, const SkinRect& crop, const SkinRect& stretch,
                     const QString& folder, QStringList& written, QString* failedFile)
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
        const QString path = folder + '/' + QLatin1String(strip.name);
        if (!picture.SaveCroppedScaled(path, strip.source, plan.scale)) {
            if (failedFile)
                *failedFile = QLatin1String(strip.name);
            return false;
        }
        written.append(path);
    }
    return true;
}

bool CutThumbnail(CSkinImage& header, const SkinRect& crop, CSkinImage* chosenThumbnail, const QString& path)
{
    if (chosenThumbnail)
        return chosenThumbnail->SaveScaled(path, kThumbnailWidth, kThumbnailHeight);
    const ThumbnailCut cut = PlanThumbnailCut(crop);
    return header.SaveCroppedScaled(path, cut.source, cut.scale);
}

namespace {

// Width and height a picture file declares; empty when its header cannot be read.
QSize DeclaredSize(const QString& path)
{
    const QSize size = QImageReader(path).size();
    return size.isValid() ? size : QSize();
}

} // namespace

bool PictureTooLarge(const QString& path)
{
    const QSize size = DeclaredSize(path);
    return int64_t(size.width()) * size.height() > kMaxPackagePicturePixels;
}

RebuiltHeader RebuildHeader(const QString& folder)
{
    RebuiltHeader result;
    const QString left = folder + '/' + QLatin1String(kLeftStripMember);
    const QString mid = folder + '/' + QLatin1String(kMidStripMember);
    const QString right = folder + '/' + QLatin1String(kRightStripMember);
    const QString head = folder + '/' + QLatin1String(kHeaderFile);
    if (FileExists(left) && FileExists(right) && FileExists(mid)) {
        // The joined header holds every strip side by side: its size bounds theirs.
        const QSize sizes[] = {DeclaredSize(left), DeclaredSize(mid), DeclaredSize(right)};
        const int64_t width = int64_t(sizes[0].width()) + sizes[1].width() + sizes[2].width();
        const int64_t height = std::max({sizes[0].height(), sizes[1].height(), sizes[2].height()});
        if (width * height > kMaxPackagePicturePixels) {
            result.failed = result.tooLarge = true;
            return result;
        }
        const QString leftMid = folder + '/' + QLatin1String(kJoinedLeftMidFile);
        CSkinImage leftImage, midImage;
        if (!JoinBitmapFiles(left, mid, leftMid) || !JoinBitmapFiles(leftMid, right, head) ||
            !leftImage.LoadFromFile(left) || !midImage.LoadFromFile(mid)) {
            result.failed = true;
            return result;
        }
        const QSize leftSize = leftImage.GetSize();
        const QSize midSize = midImage.GetSize();
        result.source = RebuiltHeader::Source::Strips;
        result.stretch = {leftSize.width(), 0, leftSize.width() + midSize.width(), leftSize.height()};
        return result;
    }
    if (FileExists(mid)) {
        if (PictureTooLarge(mid)) {
            result.failed = result.tooLarge = true;
            return result;
        }
        QFile::remove(head);
        // A failed copy leaves no header; the header page then says the picture cannot be loaded.
        if (QFile::copy(mid, head))
            result.source = RebuiltHeader::Source::MidOnly;
    }
    return result;
}
