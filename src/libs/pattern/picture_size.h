#pragma once
// The size of the pattern's picture, in one place. The "Relative Ground
// Tracks" window's client area is designed in twips; the picture files show
// that area as it would be at 96 dots per inch, 15 twips to the pixel.

namespace pattern {

inline constexpr int kPictureWidthTwips = 11235;
inline constexpr int kPictureHeightTwips = 4050;
inline constexpr int kTwipsPerPixelAt96Dpi = 15;
inline constexpr int kPictureWidthPx = kPictureWidthTwips / kTwipsPerPixelAt96Dpi;    // 749
inline constexpr int kPictureHeightPx = kPictureHeightTwips / kTwipsPerPixelAt96Dpi;  // 270

// How far a picture file may be magnified or shrunk.
inline constexpr double kMinPictureScale = 0.1, kMaxPictureScale = 10;

}  // namespace pattern
