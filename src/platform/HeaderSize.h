#pragma once
// The player's header picture is 700 x 61 pixels; every crop of the user's picture keeps that aspect.

constexpr int kHeaderWidth = 700;
constexpr int kHeaderHeight = 61;
// The title-bar chrome band at the player window's top, in which the header lies 2 pixels in from
// the frame.
constexpr int kChromeHeight = 64;
