#pragma once
// How the header strips and the thumbnail are cut from the user's picture when a skin is saved,
// and how the whole header is rebuilt from the strips of an opened package.
#include "platform/SkinRect.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class CSkinImage;

// The three strip rectangles and their common scale. Without a stretch region there is only the
// middle strip: the whole crop at scale 1.
struct StripPlan {
    bool threeStrips = false;
    SkinRect left, mid, right;
    double scale = 1.0;
};
StripPlan PlanStrips(const SkinRect& crop, const SkinRect& stretch);
// Empty when every strip of the plan can be written as planned; otherwise the message for the
// user: a strip that would need scaling beyond the resampler's limit, or one larger than a
// package member may be (the package could not be opened again).
QString CheckStripSizes(const StripPlan& plan);

// The right-hand end of the header in the thumbnail's 60:37 proportion, and the scale that
// brings it to 37 pixels high.
struct ThumbnailCut {
    SkinRect source;
    double scale = 1.0;
};
ThumbnailCut PlanThumbnailCut(const SkinRect& crop);

// Cuts TopPanelBKLeft/Mid/Right.bmp (or only Mid) as BMP bytes and hands each to take, in that
// order, as soon as it is cut. Stops at the first strip that cannot be cut (or that take refuses)
// and names it in failedFile.
using TakeMember = std::function<bool(const char* member, QByteArray bytes)>;
bool CutHeaderStrips(CSkinImage& picture, const SkinRect& crop, const SkinRect& stretch,
                     const TakeMember& take, QString* failedFile = nullptr);
// small.bmp as BMP bytes: the chosen thumbnail squeezed to 60 x 37, or the cut of PlanThumbnailCut;
// empty when it cannot be made.
QByteArray CutThumbnail(CSkinImage& header, const SkinRect& crop, CSkinImage* chosenThumbnail);

// The bytes of a member file of an unpacked package, wherever it was unpacked; nothing when the
// package has no file of that name (a folder is never a member file).
using MemberBytes = std::function<std::optional<QByteArray>(const char* member)>;

// The whole header rebuilt from the strips of an unpacked package: with all three strips the
// left and middle ones joined (TopHeadTemp.bmp) and then all three (HeadTemp.bmp); with the
// middle strip alone, HeadTemp.bmp is a copy of it.
struct RebuiltHeader {
    enum class Source { None, Strips, MidOnly } source = Source::None;
    bool failed = false;      // the strips are there but could not be joined or decoded
    bool tooLarge = false;    // with failed: the header would exceed kMaxPackagePicturePixels
    SkinRect stretch;         // with Source::Strips: the middle strip within the rebuilt header
    QByteArray joinedLeftMid; // with Source::Strips: the bytes of TopHeadTemp.bmp
    QByteArray header;        // unless Source::None: the bytes of HeadTemp.bmp
};
RebuiltHeader RebuildHeader(const MemberBytes& member);
// Width and height a picture file declares; empty when its header cannot be read. The member's
// extension names the format to try first, as for a file.
QSize DeclaredSize(const QByteArray& bytes, const char* member);
// True when the picture declares more than kMaxPackagePicturePixels pixels (read from its
// header; nothing is decoded). A picture whose size cannot be read is left to the decoder.
bool PictureTooLarge(const QByteArray& bytes, const char* member);
