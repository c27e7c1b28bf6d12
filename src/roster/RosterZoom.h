#pragma once

#include <array>

namespace mecovnik {

// How large the roster lists draw their text, in per cent of the normal size.
inline constexpr int kZoomNormal = 100;
inline constexpr int kZoomLargest = 300;
// The sizes the larger- and smaller-text commands step through.
inline constexpr std::array<int, 9> kZoomSteps{100, 125, 150, 175, 200, 225, 250, 275, 300};

// The next size up from percent: the smallest step above it, or percent
// itself (clamped into 100..300) when none is.
[[nodiscard]] int LargerZoom(int percent);
// The next size down: the largest step below percent, or percent itself
// (clamped into 100..300) when none is.
[[nodiscard]] int SmallerZoom(int percent);
// Whether a stored size is one the rosters can draw: 100..300.
[[nodiscard]] bool ValidZoom(int percent);

// A length of the normal size (a row's 13 pixels, the header's 17, the
// font's 8 points) at percent, rounded to the nearest whole; never below the
// normal length.
[[nodiscard]] int Zoomed(int normal, int percent);

} // namespace mecovnik
