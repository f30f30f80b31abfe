#pragma once
// MapItems: the host's items and host drawing of one control. It keeps the
// item store, the symbol caches, the label size and the result bubble, draws
// the items at every paint (the panel's item hook) and answers the item and
// host-drawing members. Moving or turning an item declares only its old and
// new rectangles dirty, so a host can show the change with Redirty.
#include <cstdint>
#include <optional>
#include <string>

#include "control/core/engine_hooks.h"
#include "control/core/map_units.h"
#include "control/items/direct_draw.h"
#include "control/items/item_store.h"
#include "control/items/symbol_cache.h"
#include "platform/gdi/dc_handles.h"

namespace quelmar::core {
class ControlContext;
class Ttvmap;
}  // namespace quelmar::core

namespace quelmar::items {

// The found place that searches mark on the map, with its text.
struct ResultBubble {
  core::TMapPoint Point;  // (0, 0): none
  std::string Label;
};

class MapItems {
 public:
  explicit MapItems(core::ControlContext& context);

  ItemStore& Store() { return store_; }
  const HostBitmapCache& HostBitmaps() const { return hostBitmaps_; }
  const FileBitmapCache& FileBitmaps() const { return fileBitmaps_; }

  // --- items (identifiers 1..65535, positions in degrees) ---
  void SetItem(std::int32_t id, double lon, double lat);
  void SetItemBitmap(std::int32_t id, gdi::HBITMAP bitmap);
  void SetItemLocalBitmap(std::int32_t id, const std::string& path);
  void SetItemString(std::int32_t id, const std::string& label);
  void SetItemVis(std::int32_t id, bool visible);
  void SetItemAngle(std::int32_t id, std::int32_t angle);
  void SetItem2Front(std::int32_t id);
  void SetItem2Back(std::int32_t id);
  void ShowAllItems(bool visible) { store_.SetAllVisible(visible); }
  void DeleteItemRange(std::int32_t first, std::int32_t last);
  void DeleteAllItems();
  // The item under the point, 0 for none; the result text becomes
  // "id<TAB>X<TAB>Y<TAB>label" of the hit, or empty.
  std::int32_t Finditem(double lon, double lat);
  std::int32_t FontSize() const { return fontSize_; }
  // ArgumentError outside 1..500.
  void SetFontSize(std::int32_t size);

  // --- the result bubble ---
  const ResultBubble& Bubble() const { return bubble_; }
  void SetBubble(core::TMapPoint point, const std::string& label) { bubble_ = {point, label.substr(0, 255)}; }
  void ClearBubble() { bubble_ = {}; }

  // --- host drawing into a device context handle ---
  void DrawObject(gdi::HDC dc, double lon, double lat, std::int32_t type, gdi::COLORREF colour);
  void DrawLine(gdi::HDC dc, double lon1, double lat1, double lon2, double lat2, std::int32_t width,
                gdi::COLORREF colour, std::int32_t mode);
  void DrawBubble(gdi::HDC dc, double lon, double lat, const std::string& text);
  void DrawNorth(gdi::HDC dc, std::int32_t x, std::int32_t y);
  void DrawScalebar(gdi::HDC dc, std::int32_t x, std::int32_t y);
  void DirectDraw(gdi::HDC dc, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, bool fill,
                  bool keepAspect, bool mono);

  // The item hook of the panel's paints.
  void DrawItems(gdi::Canvas& canvas, const core::ItemPaintRequest& request);

 private:
  core::ControlContext& context_;
  core::Ttvmap& panel_;
  ItemStore store_;
  HostBitmapCache hostBitmaps_;
  FileBitmapCache fileBitmaps_;
  std::int32_t fontSize_ = 14;
  ResultBubble bubble_;
  bool directDrawing_ = false;
};

// Attaches the items to a control: the panel draws them at every paint.
MapItems& AttachItems(core::ControlContext& context);

}  // namespace quelmar::items
