#include "control/items/item_painter.h"

#include <algorithm>
#include <cstdlib>

#include "control/items/symbol_rotation.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::items {
namespace {

constexpr gdi::COLORREF kBlack = 0x000000;
constexpr gdi::COLORREF kWhite = 0xFFFFFF;

bool Empty(const core::TPixelRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool Touches(const core::TPixelRect& a, const core::TPixelRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Holds(const core::TPixelRect& r, core::TPixelPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

core::TPixelRect Union(const core::TPixelRect& a, const core::TPixelRect& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

bool InView(const TMapItem& item, const core::TViewWindow& v) {
  return item.X >= v.Left && item.X <= v.Right && item.Y >= v.Bottom && item.Y <= v.Top;
}

// The turned picture of an item, made again only when its symbol or angle changed.
const SymbolImage& TurnedImage(TMapItem& item) {
  if (!item.Turned || item.TurnedAngle != item.Angle || item.TurnedFrom != item.Bitmap.get()) {
    item.Turned = RotateSymbol(*item.Bitmap, item.Angle);
    item.TurnedAngle = item.Angle;
    item.TurnedFrom = item.Bitmap.get();
  }
  return *item.Turned;
}

void Blit(gdi::Canvas& canvas, const core::TPixelRect& at, const SymbolImage& image) {
  const gdi::Rect dst{at.Left, at.Top, at.Left + image.Picture.Width(), at.Top + image.Picture.Height()};
  // The mask keeps the map where the symbol is transparent; the picture fills the rest.
  canvas.BitBlt(dst, const_cast<gdi::CairoCanvas&>(image.MaskCanvas), {0, 0}, gdi::Rop3::SrcAnd);
  canvas.BitBlt(dst, const_cast<gdi::CairoCanvas&>(image.PictureCanvas), {0, 0}, gdi::Rop3::SrcPaint);
}

void DrawLabel(gdi::Canvas& canvas, const core::TPixelRect& r, core::TPixelPoint p, const std::string& text) {
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, kBlack});
  canvas.SetBrush(gdi::Brush::Solid(kWhite));
  canvas.Rectangle({r.Left, r.Top + 1, r.Right, r.Bottom});
  canvas.SetTextAlign(gdi::TA_CENTER | gdi::TA_TOP);
  canvas.TextOut({p.X, r.Top + 1 + 2}, text);
}

}  // namespace

gdi::Font ItemLabelFont(std::int32_t fontSize) {
  gdi::Font font;
  font.face = "ARIAL";
  font.height = static_cast<int>(std::min<std::int64_t>(std::abs(std::int64_t{fontSize}), 10000));
  font.weight = 400;
  return font;
}

ItemPlacement PlaceItem(const TMapItem& item, const core::ViewState& view, const gdi::Font& labelFont) {
  ItemPlacement at;
  at.Pixel = view.MapToPixelReal(item.X, item.Y);
  const std::int32_t px = at.Pixel.X, py = at.Pixel.Y;
  core::TPixelRect label;
  if (!item.Label.empty()) {
    const gdi::Size text = gdi::TextMeasurer::Measure(labelFont, item.Label).AsSize();
    const std::int32_t hw = text.cx / 2 + 2, hh = text.cy / 2 + 2;
    label = {px - hw, py - hh, px + hw, py + hh};
  }
  if (item.Bitmap) {
    const std::int32_t w = item.Bitmap->DrawnWidth(), h = item.Bitmap->Height();
    const std::int32_t left = px - (w / 2 + 1), top = py - (h / 2 + 1);
    at.Symbol = {left, top, left + w, top + h};
    at.Turned = item.Angle != 0 || item.Rotated;
    if (at.Turned) at.Symbol = RotatedBounds(at.Symbol, item.Angle);
    if (!item.Label.empty()) {
      const std::int32_t up = (h / 2 + 1) + (label.Bottom - label.Top) / 2 + 1;
      label.Top -= up;
      label.Bottom -= up;
    }
  }
  at.Label = label;
  return at;
}

void PaintItems(gdi::Canvas& canvas, ItemStore& store, const ItemPaint& paint) {
  if (store.Count() == 0) return;
  const int saved = canvas.SaveState();
  canvas.SetFont(paint.LabelFont);
  canvas.SetTextColor(kBlack);
  canvas.SetBkMode(gdi::BkMode::Transparent);
  const core::TViewWindow& v = paint.View->View();
  for (ItemId id : store.DrawOrder()) {
    TMapItem& item = *store.Find(id);
    if (!item.Visible) continue;
    if (!paint.Only.empty() && !Empty(item.Bounds) &&
        std::none_of(paint.Only.begin(), paint.Only.end(), [&](const auto& r) { return Touches(r, item.Bounds); })) {
      continue;
    }
    item.Moved = false;
    if (!InView(item, v)) continue;
    const ItemPlacement at = PlaceItem(item, *paint.View, paint.LabelFont);
    core::TPixelRect bounds;
    if (item.Bitmap) {
      if (at.Turned) {
        item.Rotated = true;
        Blit(canvas, at.Symbol, TurnedImage(item));
      } else {
        Blit(canvas, at.Symbol, item.Bitmap->Upright());
      }
      bounds = at.Symbol;
    }
    if (!item.Label.empty()) {
      bounds = Union(bounds, at.Label);
      DrawLabel(canvas, at.Label, at.Pixel, item.Label);
    }
    item.Bounds = bounds;
  }
  canvas.RestoreState(saved);
}

std::optional<ItemId> HitItem(const ItemStore& store, const core::ViewState& view, const gdi::Font& labelFont,
                              core::TPixelPoint pixel) {
  for (const TMapItem& item : store.ById()) {
    if (!item.Visible) continue;
    const ItemPlacement at = PlaceItem(item, view, labelFont);
    if (Holds(at.Symbol, pixel) || Holds(at.Label, pixel)) return item.Id;
  }
  return std::nullopt;
}

}  // namespace quelmar::items
