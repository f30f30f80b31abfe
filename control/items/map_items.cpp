#include "control/items/map_items.h"

#include <cmath>
#include <memory>

#include "control/core/control_context.h"
#include "control/core/errors.h"
#include "control/core/map_requests.h"
#include "control/core/scope_guards.h"
#include "control/items/host_drawing.h"
#include "control/items/item_painter.h"
#include "control/render/label_settings.h"

namespace quelmar::items {
namespace {

// Degrees to map units; ArgumentError when they do not make one.
core::TMapPoint UnitsOf(double lon, double lat) {
  bool overflow = false;
  const core::TMapPoint p{core::DegreesToUnits(lon, overflow), core::DegreesToUnits(lat, overflow)};
  if (overflow || !std::isfinite(lon) || !std::isfinite(lat)) {
    throw ArgumentError("The point is not a longitude and latitude within the range of map coordinates");
  }
  return p;
}

gdi::Canvas& CanvasOf(gdi::HDC dc) {
  gdi::Canvas* canvas = gdi::DcFromHandle(dc);
  if (!canvas) throw ArgumentError("dc " + std::to_string(dc) + " is not a device context");
  return *canvas;
}

class ItemHook final : public core::ItemDrawer {
 public:
  explicit ItemHook(MapItems& items) : items_(items) {}
  void DrawItems(gdi::Canvas& canvas, const core::ItemPaintRequest& request) override {
    items_.DrawItems(canvas, request);
  }

 private:
  MapItems& items_;
};

}  // namespace

MapItems::MapItems(core::ControlContext& context) : context_(context), panel_(context.Panel()) {}

void MapItems::SetItem(std::int32_t id, double lon, double lat) {
  const ItemId key = CheckedItemId(id);
  const core::TMapPoint p = UnitsOf(lon, lat);
  store_.Set(key, p.X, p.Y, panel_.view(),
             [this](const core::TPixelRect& r) { panel_.SetDirtyRect(r.Left, r.Top, r.Right, r.Bottom); });
}

void MapItems::SetItemBitmap(std::int32_t id, gdi::HBITMAP bitmap) {
  const ItemId key = CheckedItemId(id);
  if (!store_.Find(key)) return;
  store_.SetBitmap(key, hostBitmaps_.Get(bitmap));
}

void MapItems::SetItemLocalBitmap(std::int32_t id, const std::string& path) {
  const ItemId key = CheckedItemId(id);
  if (!store_.Find(key)) return;
  store_.SetBitmap(key, fileBitmaps_.Get(path));
  fileBitmaps_.DropUnused();
}

void MapItems::SetItemString(std::int32_t id, const std::string& label) { store_.SetLabel(CheckedItemId(id), label); }

void MapItems::SetItemVis(std::int32_t id, bool visible) { store_.SetVisible(CheckedItemId(id), visible); }

void MapItems::SetItemAngle(std::int32_t id, std::int32_t angle) {
  store_.SetAngle(CheckedItemId(id), angle, panel_.view(),
                  [this](const core::TPixelRect& r) { panel_.SetDirtyRect(r.Left, r.Top, r.Right, r.Bottom); });
}

void MapItems::SetItem2Front(std::int32_t id) { store_.ToFront(CheckedItemId(id)); }
void MapItems::SetItem2Back(std::int32_t id) { store_.ToBack(CheckedItemId(id)); }

void MapItems::DeleteItemRange(std::int32_t first, std::int32_t last) {
  const ItemId from = CheckedItemId(first, "id1");
  const ItemId to = CheckedItemId(last, "id2");
  store_.DeleteRange(from, to);
  fileBitmaps_.DropUnused();
}

void MapItems::DeleteAllItems() {
  store_.DeleteAll();
  fileBitmaps_.Clear();
}

std::int32_t MapItems::Finditem(double lon, double lat) {
  const core::TMapPoint p = UnitsOf(lon, lat);
  panel_.SetResultText("");
  const core::TPixelPoint pixel = panel_.view().MapToPixel(p);
  const std::optional<ItemId> hit = HitItem(store_, panel_.view(), ItemLabelFont(fontSize_), pixel);
  if (!hit) return 0;
  const TMapItem& item = *store_.Find(*hit);
  panel_.SetResultText(std::to_string(item.Id) + "\t" + std::to_string(std::llround(item.X)) + "\t" +
                       std::to_string(std::llround(item.Y)) + "\t" + item.Label);
  return item.Id;
}

void MapItems::SetFontSize(std::int32_t size) {
  if (size < 1 || size > 500) throw ArgumentError("ItemFontSize must be 1 to 500");
  fontSize_ = size;
}

void MapItems::DrawObject(gdi::HDC dc, double lon, double lat, std::int32_t type, gdi::COLORREF colour) {
  items::DrawObject(CanvasOf(dc), panel_.view(), UnitsOf(lon, lat), type, colour);
}

void MapItems::DrawLine(gdi::HDC dc, double lon1, double lat1, double lon2, double lat2, std::int32_t width,
                        gdi::COLORREF colour, std::int32_t mode) {
  gdi::Canvas& canvas = CanvasOf(dc);
  const gdi::Rop2 rop = PenModeOf(mode);
  items::DrawLine(canvas, panel_.view(), UnitsOf(lon1, lat1), UnitsOf(lon2, lat2), width, colour, rop);
}

void MapItems::DrawBubble(gdi::HDC dc, double lon, double lat, const std::string& text) {
  const render::LabelFonts fonts = render::MakeLabelFonts(core::PaintLabels(panel_.settings().Get()), 1, false);
  items::DrawBubble(CanvasOf(dc), panel_.view(), UnitsOf(lon, lat), text, fonts.Label);
}

void MapItems::DrawNorth(gdi::HDC dc, std::int32_t x, std::int32_t y) {
  items::DrawNorth(CanvasOf(dc), panel_.view(), x, y);
}

void MapItems::DrawScalebar(gdi::HDC dc, std::int32_t x, std::int32_t y) {
  const render::LabelFonts fonts = render::MakeLabelFonts(core::PaintLabels(panel_.settings().Get()), 1, false);
  items::DrawScalebar(CanvasOf(dc), panel_.view(), x, y, fonts.Shield);
}

void MapItems::DirectDraw(gdi::HDC dc, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, bool fill,
                          bool keepAspect, bool mono) {
  gdi::Canvas& canvas = CanvasOf(dc);
  if (directDrawing_) throw Error("DirectDraw was called from inside its own drawing");
  core::FlagScope busy(directDrawing_);
  const std::int64_t right = std::int64_t{x} + w, bottom = std::int64_t{y} + h;
  if (right > INT32_MAX || bottom > INT32_MAX) {
    throw ArgumentError("DirectDraw's rectangle reaches past the largest device coordinate");
  }
  items::DirectDraw(panel_, canvas, dc,
                    DirectDrawRequest{{x, y, static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)},
                                      fill, keepAspect, mono});
}

void MapItems::DrawItems(gdi::Canvas& canvas, const core::ItemPaintRequest& request) {
  if (context_.Settings().Options().drawItems != 0) {
    ItemPaint paint;
    paint.View = request.View;
    paint.LabelFont = ItemLabelFont(fontSize_);
    paint.Only = request.Only;
    PaintItems(canvas, store_, paint);
  }
  if (bubble_.Point.X != 0 || bubble_.Point.Y != 0) {
    const render::LabelFonts fonts = render::MakeLabelFonts(core::PaintLabels(panel_.settings().Get()), 1, false);
    items::DrawBubble(canvas, *request.View, bubble_.Point, bubble_.Label, fonts.Label);
  }
}

MapItems& AttachItems(core::ControlContext& context) {
  MapItems& items = context.Keep(std::make_shared<MapItems>(context));
  context.Panel().hooks().items = std::make_unique<ItemHook>(items);
  return items;
}

}  // namespace quelmar::items
