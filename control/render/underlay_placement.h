#pragma once
// Where an underlay image lands on the view: its corners in pixels, the scale
// between image and screen pixels, the part of the screen it covers once
// clipped to the view, and the window of image pixels that part shows.
//
// The extent corners are the centres of the image's corner pixels, so an
// image of W columns spans px1..px2 with (W - 1) / (px2 - px1) image pixels per
// screen pixel; screen rectangles here are inclusive of both corners.
#include <cstdint>
#include <optional>

#include "control/core/view_window.h"

namespace quelmar::render {

// Beyond this many screen pixels per image pixel the image is not drawn.
inline constexpr std::int32_t kMaxUnderlayMagnification = 100;

// Image pixels per screen pixel along one axis, as the exact fraction
// (imagePixels - 1) / screenSpan, with the mapping of a screen offset from the
// image's own edge to an image pixel.
struct UnderlayAxis {
  std::int64_t ImagePixels = 0;  // W or H
  std::int64_t ScreenSpan = 0;   // px2 - px1 or py2 - py1, at least 2
  // trunc(offset × fx), cut to the last image pixel.
  std::int64_t ImageIndex(std::int64_t screenOffset) const;
  double Factor() const { return static_cast<double>(ImagePixels - 1) / static_cast<double>(ScreenSpan); }
};

struct UnderlayPlacement {
  core::TPixelPoint NorthWest;  // MapToPixel(x1, y1)
  core::TPixelPoint SouthEast;  // MapToPixel(x2, y2)
  UnderlayAxis X, Y;
  // Screen pixels per image pixel, rounded; 0 when the image is not magnified.
  std::int32_t MagnifyX = 0, MagnifyY = 0;
  // The clipped screen rectangle, both corners inclusive.
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  // Source window: image columns and rows (rows counted from the top).
  std::int64_t FirstColumn = 0, LastColumn = 0, FirstRow = 0, LastRow = 0;

  std::int32_t Width() const { return Right - Left + 1; }
  std::int32_t Height() const { return Bottom - Top + 1; }
  // Offsets of the clipped rectangle from the image's own top-left corner.
  std::int64_t OffsetX() const { return static_cast<std::int64_t>(Left) - NorthWest.X; }
  std::int64_t OffsetY() const { return static_cast<std::int64_t>(Top) - NorthWest.Y; }
};

// Places an image of imageWidth × imageHeight pixels whose corner pixels land
// on `northWest` and `southEast` in a view of viewWidth × viewHeight pixels.
// nullopt when nothing is to be drawn: the image lies wholly outside the view,
// spans less than 2 pixels either way, or is magnified more than 100 times.
//
// Clipping: an edge outside the view moves to the view's edge. When the image
// is magnified (more than 1 screen pixel per image pixel), a left or top edge
// stops a whole number of magnified pixels from the image's edge (its
// coordinate modulo the magnification), and a right or bottom edge two
// magnified pixels beyond the view, so the visible image pixels keep their
// size and place.
std::optional<UnderlayPlacement> PlaceUnderlay(core::TPixelPoint northWest, core::TPixelPoint southEast,
                                               std::int32_t viewWidth, std::int32_t viewHeight,
                                               std::int32_t imageWidth, std::int32_t imageHeight);

}  // namespace quelmar::render
