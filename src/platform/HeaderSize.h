#pragma once
// The player's header picture is 700 x 61 pixels; every crop of the user's picture keeps that aspect.

constexpr int kHeaderWidth = 700;
constexpr int kHeaderHeight = 61;
