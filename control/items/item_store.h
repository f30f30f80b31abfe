#pragma once
// ItemStore: the host's markers of one control. Records are kept sorted by
// identifier and found by binary search; the draw order is a separate list of
// identifiers (first drawn first, the last on top), so bringing an item to
// the front or back moves no record. At most kMaxItems items.
//
// Identifiers are 1..65535: 0 is the "no item" answer of a hit test, and
// larger or negative numbers are refused rather than folded onto another
// item's identifier. Members naming an identifier that is not stored do
// nothing.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/core/dirty_rects.h"
#include "control/core/view_state.h"
#include "control/items/symbol.h"

namespace quelmar::items {

inline constexpr std::size_t kMaxItems = 32000;
inline constexpr std::size_t kMaxLabelLength = 40;
// The symbol size of an item without a bitmap.
inline constexpr std::int32_t kPlainSymbolSide = 20;

using ItemId = std::uint16_t;

// The identifier a host passed, checked: ArgumentError outside 1..65535.
ItemId CheckedItemId(std::int32_t id, const char* argument = "id");

// Where the store reports the client rectangles a change leaves to repaint.
using DirtySink = std::function<void(const core::TPixelRect&)>;

struct TMapItem {
  ItemId Id = 0;
  std::int32_t OrderPos = 0;  // 1-based place in the draw order
  double X = 0, Y = 0;        // map units
  bool Visible = true;
  bool Moved = false;    // changed since last drawn
  bool Rotated = false;  // drawn turned once: always drawn through the turning path from then on
  core::TPixelRect Bounds;  // client pixels covered when last drawn (symbol and label)
  std::int16_t Angle = 0;   // degrees
  std::shared_ptr<const Symbol> Bitmap;
  std::string Label;  // Windows-1252, at most kMaxLabelLength characters
  // The turned picture last drawn and the angle it was turned by.
  std::shared_ptr<const SymbolImage> Turned;
  std::int16_t TurnedAngle = 0;
  const Symbol* TurnedFrom = nullptr;
};

class ItemStore {
 public:
  std::size_t Count() const { return items_.size(); }
  TMapItem* Find(ItemId id);
  const TMapItem* Find(ItemId id) const;
  // Items in identifier order.
  const std::vector<TMapItem>& ById() const { return items_; }
  std::vector<TMapItem>& ById() { return items_; }
  // Identifiers in draw order.
  const std::vector<ItemId>& DrawOrder() const { return order_; }

  // SetItem: a new identifier is stored on top of the draw order (nothing
  // when the store is full; false then); an existing item moves, and its old
  // rectangle and the rectangle shifted by the pixel distance of the move go
  // to `dirty`.
  bool Set(ItemId id, double x, double y, const core::ViewState& view, const DirtySink& dirty);
  void SetBitmap(ItemId id, std::shared_ptr<const Symbol> symbol);
  // Drops one trailing NUL and keeps the first kMaxLabelLength characters.
  void SetLabel(ItemId id, std::string label);
  void SetVisible(ItemId id, bool visible);
  void SetAllVisible(bool visible);
  // The old rectangle and the new one of the turned symbol go to `dirty`.
  void SetAngle(ItemId id, std::int32_t angle, const core::ViewState& view, const DirtySink& dirty);
  void ToFront(ItemId id);
  void ToBack(ItemId id);
  // Every stored identifier from `first` to `last` (none when first > last).
  void DeleteRange(ItemId first, ItemId last);
  void DeleteAll();

 private:
  void Renumber();

  std::vector<TMapItem> items_;  // sorted by Id
  std::vector<ItemId> order_;
};

}  // namespace quelmar::items
