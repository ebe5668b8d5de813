#include "skin/SkinViewPicture.h"

#include "flash/core/SwfHeader.h"
#include "imaging/CSkinImage.h"
#include "imaging/ImageLoading.h"
#include "platform/HeaderSize.h"
#include "platform/PackageLimits.h"
#include "skin/PackageNames.h"
#include "skin/SkinDescription.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>

namespace {

// Where the header lies in the title-bar band: 2 pixels in from the frame.
constexpr int kHeaderInset = 2;
// The window buttons at the right end of the tab captions stay with the window's right edge;
// the captions are laid out for a window 704 pixels wide.
constexpr int kButtonsWidth = 130;
constexpr int kCaptionsLayoutWidth = 704;
// The skin menu under the skin button.
constexpr int kMenuWidth = 200;
constexpr int kMenuHeight = 53;

QPoint CornerPoint(Corner corner, QSize window)
{
    return {IsLeft(corner) ? 0 : window.width(), IsTop(corner) ? 0 : window.height()};
}

QImage DecodeArgb(const QString& path)
{
    const QImage image = DecodePictureFile(path);
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
}

SkinViewItem ControlItem(const CornerItem& control)
{
    QSize size = control.size;
    if (size.isEmpty()) {
        // A movie's header may declare any stage; no real control is larger than an item may be.
        const SwfFrameSize stage = ReadSwfFrameSize(control.file);
        size = QSize(std::min(stage.width, kMaxItemSide), std::min(stage.height, kMaxItemSide));
    }
    return {control.corner, control.offset, size, {}, control.file};
}

} // namespace

SkinViewResult SkinViewOfSkin(const SkinContent& skin)
{
    SkinViewResult result;
    SkinView& view = result.view;
    if (skin.picture != nullptr && skin.picture->HasPicture())
        view.header = skin.picture->Picture();
    else if (!skin.picturePath.isEmpty())
        view.header = DecodeArgb(skin.picturePath);
    if (view.header.isNull()) {
        result.error = QCoreApplication::translate("SkinViewPicture", "无法读取皮肤的顶部图片“%1”。")
                           .arg(skin.picturePath);
        return result;
    }
    view.crop = skin.crop.IsEmpty() ? SkinRect::FromQRect(view.header.rect()) : skin.crop;
    view.stretch = skin.stretchRegion;
    view.mode = skin.stretchMode;
    view.mainColor = skin.mainColour;
    view.whiteTabText = skin.whiteTabText;
    view.skinName = skin.skinName;
    if (skin.thumbnailPicture != nullptr && skin.thumbnailPicture->HasPicture())
        view.thumbnail = skin.thumbnailPicture->Picture();
    else if (!skin.thumbnailPath.isEmpty())
        view.thumbnail = DecodeArgb(skin.thumbnailPath);
    for (Corner corner : kCorners) {
        for (const CornerItem& decoration : skin.items) {
            if (!decoration.IsDecoration() || decoration.corner != corner)
                continue;
            QImage picture = DecodeArgb(decoration.file);
            if (picture.isNull()) {
                result.error = QCoreApplication::translate("SkinViewPicture", "无法读取边框装饰图片“%1”。")
                                   .arg(decoration.file);
                return result;
            }
            view.decorations.append({corner, decoration.offset, picture.size(), picture, decoration.file});
            break;
        }
    }
    // Corner controls first, then the extra ones, as the player lays them.
    const PackageControls controls = SplitControls(skin.items);
    for (const std::optional<CornerItem>& control : controls.corner) {
        if (control)
            view.controls.append(ControlItem(*control));
    }
    for (const CornerItem& control : controls.extra)
        view.controls.append(ControlItem(control));
    result.ok = true;
    return result;
}

SkinViewPicture::SkinViewPicture() = default;

void SkinViewPicture::SetView(SkinView view)
{
    m_view = std::move(view);
    m_chrome.SetMainColor(m_view.mainColor);
    m_chrome.SetTabTextWhite(m_view.whiteTabText);
    m_thumbnail = QImage();
    if (!m_view.thumbnail.isNull()) {
        m_thumbnail = Opaque(m_view.thumbnail.size() == QSize(kThumbnailWidth, kThumbnailHeight)
                                 ? m_view.thumbnail
                                 : CropScaled(m_view.thumbnail, SkinRect::FromQRect(m_view.thumbnail.rect()),
                                              {kThumbnailWidth, kThumbnailHeight}, ResampleFilter::Hermite));
    } else if (!m_view.header.isNull()) {
        // As a save cuts it: the right-hand end of the header in the thumbnail's proportion.
        const ThumbnailCut cut = PlanThumbnailCut(m_view.crop);
        m_thumbnail =
            Opaque(CropScaled(m_view.header, cut.source, CSkinImage::CroppedScaledSize(cut.source, cut.scale),
                              ResampleFilter::Hermite));
    }
}

int SkinViewPicture::MinimumWidth() const
{
    const StripPlan plan = PlanStrips(m_view.crop, m_view.stretch);
    if (!plan.threeStrips)
        return 2 * kHeaderInset + 1;
    return 2 * kHeaderInset + CSkinImage::CroppedScaledSize(plan.left, plan.scale).width() +
           CSkinImage::CroppedScaledSize(plan.right, plan.scale).width();
}

SkinViewPicture::Layout SkinViewPicture::LayOut(QSize window) const
{
    Layout layout;
    QRect all(QPoint(0, 0), window);
    const auto place = [window](const SkinViewItem& item) {
        return QRect(CornerPoint(item.corner, window) - item.offset, item.size);
    };
    for (const SkinViewItem& item : m_view.decorations) {
        layout.decorations.append(place(item));
        all |= layout.decorations.last();
    }
    for (const SkinViewItem& item : m_view.controls) {
        layout.controls.append(place(item));
        all |= layout.controls.last();
    }
    all &= QRect(QPoint(0, 0), window)
               .adjusted(-kMaxCanvasMargin, -kMaxCanvasMargin, kMaxCanvasMargin, kMaxCanvasMargin);
    // Everything moves so that the canvas starts at 0, 0.
    const QPoint shift = -all.topLeft();
    layout.canvas = all.size();
    layout.window = QRect(shift, window);
    for (QRect& r : layout.decorations)
        r.translate(shift);
    for (QRect& r : layout.controls)
        r.translate(shift);
    return layout;
}

QImage SkinViewPicture::HeaderBand(int windowWidth) const
{
    const int width = windowWidth - 2 * kHeaderInset;
    if (width <= 0 || m_view.header.isNull())
        return {};
    QImage band(width, kHeaderHeight, QImage::Format_RGB32);
    band.fill(Qt::black);
    QPainter painter(&band);
    const StripPlan plan = PlanStrips(m_view.crop, m_view.stretch);
    for (const PlacedImage& piece :
         RenderPieces(m_view.header, PlayerHeaderPieces(plan, 0, width, 0, m_view.mode)))
        painter.drawImage(piece.at, piece.image);
    return band;
}

void SkinViewPicture::DrawTitleBar(QPainter& painter, int width) const
{
    m_chrome.DrawChrome(painter, 0, QRect(0, 0, width, kChromeHeight));
    painter.drawImage(kHeaderInset, kHeaderInset, HeaderBand(width));
}

void SkinViewPicture::DrawCaptionsAndBody(QPainter& painter, QSize window) const
{
    const int w = window.width();
    // The captions at their own size: logo and tabs from the left, the buttons at the right edge.
    const QImage& captions = m_chrome.TabOverlay();
    const int buttonsFrom = captions.width() - kButtonsWidth;
    const int buttonsAt = w - (kCaptionsLayoutWidth - buttonsFrom);
    painter.save();
    painter.setClipRect(QRect(0, 0, std::max(0, buttonsAt), kChromeHeight));
    painter.drawImage(QPoint(0, 0), captions, QRect(0, 0, buttonsFrom, captions.height()));
    painter.restore();
    painter.drawImage(QPoint(buttonsAt, 0), captions,
                      QRect(buttonsFrom, 0, kButtonsWidth, captions.height()));
    m_chrome.DrawChrome(painter, 1, QRect(0, kChromeHeight, w, window.height() - kChromeHeight));
    DrawSkinMenu(painter, w);
}

void SkinViewPicture::DrawSkinMenu(QPainter& painter, int windowWidth) const
{
    // The skin button's menu, open: the skin's thumbnail and name, as the player lists skins.
    const QRect menu(windowWidth - 8 - kMenuWidth, kChromeHeight + 2, kMenuWidth, kMenuHeight);
    painter.fillRect(menu, QColor(250, 250, 250));
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(menu.adjusted(0, 0, -1, -1));
    const QPoint thumbnailAt = menu.topLeft() + QPoint(8, 8);
    if (!m_thumbnail.isNull())
        painter.drawImage(thumbnailAt, m_thumbnail);
    const QRect text(thumbnailAt.x() + kThumbnailWidth + 8, menu.top() + 8,
                     menu.right() - 8 - (thumbnailAt.x() + kThumbnailWidth + 8), kThumbnailHeight);
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, m_view.skinName);
}

QImage SkinViewPicture::Render(QSize window, bool drawControlBoxes) const
{
    const Layout layout = LayOut(window);
    QImage canvas(layout.canvas, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    const QPoint origin = layout.window.topLeft();
    painter.translate(origin);
    DrawTitleBar(painter, window.width());
    painter.translate(-origin);
    // As the wizard's canvas stacks them: over the title bar, under the captions and the body;
    // right-bottom first, left-top last.
    for (auto it = kCorners.rbegin(); it != kCorners.rend(); ++it) {
        const Corner corner = *it;
        for (qsizetype i = 0; i < m_view.decorations.size(); ++i) {
            if (m_view.decorations[i].corner == corner)
                painter.drawImage(layout.decorations[i].topLeft(), m_view.decorations[i].picture);
        }
    }
    painter.translate(origin);
    DrawCaptionsAndBody(painter, window);
    painter.translate(-origin);
    if (drawControlBoxes) {
        for (qsizetype i = 0; i < m_view.controls.size(); ++i)
            DrawControlBox(painter, layout.controls[i], QFileInfo(m_view.controls[i].file).fileName());
    }
    painter.end();
    // Converted in place: a second canvas would double what a large window costs.
    return std::move(canvas).convertToFormat(QImage::Format_ARGB32);
}

void SkinViewPicture::DrawControlBox(QPainter& painter, const QRect& box, const QString& name)
{
    painter.save();
    painter.setPen(QPen(QColor(255, 128, 0), 1));
    painter.setBrush(QColor(255, 128, 0, 40));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(120, 60, 0));
    painter.drawText(box.adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWrapAnywhere, name);
    painter.restore();
}
