#include "control/render/underlay_placement.h"

#include <algorithm>
#include <cmath>

namespace quelmar::render {
namespace {

// round(1 / fx) when the image is magnified (fx < 1), else 0.
std::int64_t Magnification(const UnderlayAxis& axis) {
  if (axis.ImagePixels - 1 >= axis.ScreenSpan) return 0;
  return static_cast<std::int64_t>(
      std::nearbyint(static_cast<double>(axis.ScreenSpan) / static_cast<double>(axis.ImagePixels - 1)));
}

struct Span {
  std::int64_t low, high;
};

// One axis of the clip: [low, high] of the image against the view [0, viewSize].
Span ClipAxis(std::int64_t low, std::int64_t high, std::int64_t viewSize, std::int64_t magnify) {
  Span clipped{low, high};
  if (low < 0) clipped.low = magnify > 1 ? low % magnify : 0;
  if (high > viewSize) clipped.high = magnify > 1 ? std::min(high, viewSize + 2 * magnify) : viewSize;
  return clipped;
}

}  // namespace

std::int64_t UnderlayAxis::ImageIndex(std::int64_t screenOffset) const {
  return std::min(ImagePixels - 1, screenOffset * (ImagePixels - 1) / ScreenSpan);
}

std::optional<UnderlayPlacement> PlaceUnderlay(core::TPixelPoint northWest, core::TPixelPoint southEast,
                                               std::int32_t viewWidth, std::int32_t viewHeight,
                                               std::int32_t imageWidth, std::int32_t imageHeight) {
  const std::int64_t px1 = northWest.X, py1 = northWest.Y, px2 = southEast.X, py2 = southEast.Y;
  if (px2 < 0 || px1 > viewWidth || py2 < 0 || py1 > viewHeight) return std::nullopt;
  if (px2 - px1 < 2 || py2 - py1 < 2 || imageWidth < 2 || imageHeight < 2) return std::nullopt;

  UnderlayPlacement placement;
  placement.NorthWest = northWest;
  placement.SouthEast = southEast;
  placement.X = UnderlayAxis{imageWidth, px2 - px1};
  placement.Y = UnderlayAxis{imageHeight, py2 - py1};
  const std::int64_t rx = Magnification(placement.X);
  const std::int64_t ry = Magnification(placement.Y);
  if (rx > kMaxUnderlayMagnification || ry > kMaxUnderlayMagnification) return std::nullopt;
  placement.MagnifyX = static_cast<std::int32_t>(rx);
  placement.MagnifyY = static_cast<std::int32_t>(ry);

  const Span x = ClipAxis(px1, px2, viewWidth, rx);
  const Span y = ClipAxis(py1, py2, viewHeight, ry);
  placement.Left = static_cast<std::int32_t>(x.low);
  placement.Right = static_cast<std::int32_t>(x.high);
  placement.Top = static_cast<std::int32_t>(y.low);
  placement.Bottom = static_cast<std::int32_t>(y.high);

  placement.FirstColumn = placement.X.ImageIndex(x.low - px1);
  placement.LastColumn = placement.X.ImageIndex(x.high - px1);
  placement.FirstRow = placement.Y.ImageIndex(y.low - py1);
  placement.LastRow = placement.Y.ImageIndex(y.high - py1);
  return placement;
}

}  // namespace quelmar::render
