#pragma once
// The player window's four outer corners, where decorations and flash controls hang. Lists of
// per-corner things keep this order: left-top, right-top, left-bottom, right-bottom.
#include <QString>
#include <array>
#include <optional>

enum class Corner { LeftTop, RightTop, LeftBottom, RightBottom };

inline constexpr int kCornerCount = 4;
inline constexpr std::array<Corner, kCornerCount> kCorners = {Corner::LeftTop, Corner::RightTop,
                                                              Corner::LeftBottom, Corner::RightBottom};

// The corner's place in per-corner lists (0..3).
constexpr int CornerIndex(Corner corner)
{
    return static_cast<int>(corner);
}
constexpr bool IsValidCorner(Corner corner)
{
    return CornerIndex(corner) >= 0 && CornerIndex(corner) < kCornerCount;
}
constexpr bool IsLeft(Corner corner)
{
    return corner == Corner::LeftTop || corner == Corner::LeftBottom;
}
constexpr bool IsTop(Corner corner)
{
    return corner == Corner::LeftTop || corner == Corner::RightTop;
}
// 0..3 to its corner; nothing for any other number.
constexpr std::optional<Corner> CornerAt(int index)
{
    if (index < 0 || index >= kCornerCount)
        return std::nullopt;
    return kCorners[index];
}

// The description file numbers an extra control's corner 1..4.
constexpr int StoredCornerNumber(Corner corner)
{
    return CornerIndex(corner) + 1;
}
constexpr std::optional<Corner> CornerFromStoredNumber(int number)
{
    return CornerAt(number - 1);
}

// The corner's name as the description file's keys spell it ("lefttop" in "lefttopx",
// "swflefttop"); the command line takes the same names.
constexpr const char* CornerKeyName(Corner corner)
{
    constexpr std::array<const char*, kCornerCount> kNames = {"lefttop", "righttop", "leftbottom",
                                                              "rightbottom"};
    return kNames[CornerIndex(corner)];
}
inline std::optional<Corner> CornerFromKeyName(const QString& name)
{
    for (Corner corner : kCorners) {
        if (name == QLatin1String(CornerKeyName(corner)))
            return corner;
    }
    return std::nullopt;
}

// A list with one T per corner, indexed by the corner.
template <typename T> struct PerCorner : std::array<T, kCornerCount> {
    using std::array<T, kCornerCount>::operator[];
    T& operator[](Corner corner) { return (*this)[CornerIndex(corner)]; }
    const T& operator[](Corner corner) const { return (*this)[CornerIndex(corner)]; }
};
