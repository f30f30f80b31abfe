#include "control/items/item_store.h"

#include <algorithm>
#include <cmath>

#include "control/core/errors.h"
#include "control/items/symbol_rotation.h"

namespace quelmar::items {
namespace {

core::TPixelRect Shifted(const core::TPixelRect& r, std::int64_t dx, std::int64_t dy) {
  auto clamp = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return {clamp(r.Left + dx), clamp(r.Top + dy), clamp(r.Right + dx), clamp(r.Bottom + dy)};
}

core::TPixelPoint PixelOf(const core::ViewState& view, double x, double y) {
  return view.MapToPixelReal(x, y);
}

}  // namespace

ItemId CheckedItemId(std::int32_t id, const char* argument) {
  if (id < 1 || id > 65535) {
    throw ArgumentError(std::string("Item identifier ") + argument + " = " + std::to_string(id) +
                        " is outside 1 to 65535");
  }
  return static_cast<ItemId>(id);
}

TMapItem* ItemStore::Find(ItemId id) {
  auto at = std::lower_bound(items_.begin(), items_.end(), id, [](const TMapItem& i, ItemId v) { return i.Id < v; });
  return at != items_.end() && at->Id == id ? &*at : nullptr;
}

const TMapItem* ItemStore::Find(ItemId id) const { return const_cast<ItemStore*>(this)->Find(id); }

bool ItemStore::Set(ItemId id, double x, double y, const core::ViewState& view, const DirtySink& dirty) {
  auto at = std::lower_bound(items_.begin(), items_.end(), id, [](const TMapItem& i, ItemId v) { return i.Id < v; });
  if (at == items_.end() || at->Id != id) {
    if (items_.size() >= kMaxItems) return false;
    TMapItem item;
    item.Id = id;
    item.X = x;
    item.Y = y;
    order_.push_back(id);
    item.OrderPos = static_cast<std::int32_t>(order_.size());
    items_.insert(at, std::move(item));
    return true;
  }
  TMapItem& item = *at;
  item.Moved = true;
  dirty(item.Bounds);
  const core::TPixelPoint from = PixelOf(view, item.X, item.Y);
  const core::TPixelPoint to = PixelOf(view, x, y);
  item.Bounds = Shifted(item.Bounds, std::int64_t{to.X} - from.X, std::int64_t{to.Y} - from.Y);
  dirty(item.Bounds);
  item.X = x;
  item.Y = y;
  return true;
}

void ItemStore::SetBitmap(ItemId id, std::shared_ptr<const Symbol> symbol) {
  if (TMapItem* item = Find(id)) item->Bitmap = std::move(symbol);
}

void ItemStore::SetLabel(ItemId id, std::string label) {
  TMapItem* item = Find(id);
  if (!item) return;
  if (!label.empty() && label.back() == '\0') label.pop_back();
  if (label.size() > kMaxLabelLength) label.resize(kMaxLabelLength);
  item->Label = std::move(label);
}

void ItemStore::SetVisible(ItemId id, bool visible) {
  if (TMapItem* item = Find(id)) item->Visible = visible;
}

void ItemStore::SetAllVisible(bool visible) {
  for (TMapItem& item : items_) item.Visible = visible;
}

void ItemStore::SetAngle(ItemId id, std::int32_t angle, const core::ViewState& view, const DirtySink& dirty) {
  TMapItem* item = Find(id);
  if (!item) return;
  dirty(item->Bounds);
  item->Angle = static_cast<std::int16_t>(static_cast<std::uint16_t>(angle & 0xFFFF));
  item->Moved = true;
  const core::TPixelPoint p = PixelOf(view, item->X, item->Y);
  const std::int32_t w = item->Bitmap ? item->Bitmap->DrawnWidth() : kPlainSymbolSide;
  const std::int32_t h = item->Bitmap ? item->Bitmap->Height() : kPlainSymbolSide;
  const std::int32_t hw = w / 2 + 2, hh = h / 2 + 2;
  item->Bounds = RotatedBounds({p.X - hw, p.Y - hh, p.X + hw, p.Y + hh}, item->Angle);
  dirty(item->Bounds);
}

void ItemStore::ToFront(ItemId id) {
  if (!Find(id) || (!order_.empty() && order_.back() == id)) return;
  order_.erase(std::find(order_.begin(), order_.end(), id));
  order_.push_back(id);
  Renumber();
}

void ItemStore::ToBack(ItemId id) {
  if (!Find(id) || (!order_.empty() && order_.front() == id)) return;
  order_.erase(std::find(order_.begin(), order_.end(), id));
  order_.insert(order_.begin(), id);
  Renumber();
}

void ItemStore::DeleteRange(ItemId first, ItemId last) {
  if (first > last) return;
  auto lo = std::lower_bound(items_.begin(), items_.end(), first, [](const TMapItem& i, ItemId v) { return i.Id < v; });
  auto hi = std::upper_bound(items_.begin(), items_.end(), last, [](ItemId v, const TMapItem& i) { return v < i.Id; });
  if (lo == hi) return;
  items_.erase(lo, hi);
  std::erase_if(order_, [first, last](ItemId id) { return id >= first && id <= last; });
  Renumber();
}

void ItemStore::DeleteAll() {
  items_.clear();
  order_.clear();
}

void ItemStore::Renumber() {
  for (std::size_t i = 0; i < order_.size(); ++i) Find(order_[i])->OrderPos = static_cast<std::int32_t>(i + 1);
}

}  // namespace quelmar::items
