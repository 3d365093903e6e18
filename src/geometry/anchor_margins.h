#pragma once
// The anchor margins of text anchoring, in drawing units, and the switch that
// turns them on. They are values of the dimension and drafting default
// settings, which are constants of this program; these names stand for them
// until the settings records themselves are available.

#include <cstdint>

// Added to the along offset of left, centre and right anchors.
inline constexpr float kAnchorMarginLeftX = -1.0f;
inline constexpr float kAnchorMarginCentreX = 0.0f;
inline constexpr float kAnchorMarginRightX = 1.0f;
// Added to the across offset of bottom, middle and top anchors.
inline constexpr float kAnchorMarginBottomY = -1.0f;
inline constexpr float kAnchorMarginMiddleY = 0.0f;
inline constexpr float kAnchorMarginTopY = 1.0f;
// Non-zero: the margins are added when the caller asks for them.
inline constexpr std::uint8_t kAnchorMarginsOn = 1;
