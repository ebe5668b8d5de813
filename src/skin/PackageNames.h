#pragma once
// Member names of a skin package (the keys of its description file are in SkinDescription).
// Member names are exact, case included; corner order is left-top, right-top, left-bottom,
// right-bottom everywhere.
#include "skin/Corner.h"

#include <QString>
#include <array>

inline constexpr char kLeftStripMember[] = "TopPanelBKLeft.bmp";
inline constexpr char kMidStripMember[] = "TopPanelBKMid.bmp";
inline constexpr char kRightStripMember[] = "TopPanelBKRight.bmp";
inline constexpr char kThumbnailMember[] = "small.bmp";
inline constexpr char kConfMember[] = "conf.ini";
// Made by an open in the extraction folder; never packed.
inline constexpr char kJoinedLeftMidFile[] = "TopHeadTemp.bmp";
inline constexpr char kHeaderFile[] = "HeadTemp.bmp";

// Corner names in member names ("topleft.png").
inline constexpr std::array<const char*, kCornerCount> kCornerMemberNames = {"topleft", "topright",
                                                                             "bottomleft", "bottomright"};

inline constexpr int kThumbnailWidth = 60;
inline constexpr int kThumbnailHeight = 37;
// The most extra flash controls (beyond the first of each corner) a skin may have; an open keeps
// the first ones of a package that declares more.
inline constexpr int kMaxFlashControls = 20;

inline QString DecorationMember(Corner corner)
{
    return QString::fromLatin1(kCornerMemberNames[CornerIndex(corner)]) + ".png";
}
inline QString CornerControlMember(Corner corner)
{
    return QString::fromLatin1(kCornerMemberNames[CornerIndex(corner)]) + ".swf";
}
// Extra controls are numbered from 1.
inline QString ExtraControlMember(int number)
{
    return QStringLiteral("swfcontrol%1.swf").arg(number);
}
