#pragma once
// Drawing the items of a store over a map, and finding the item under a
// pixel. Both place an item the same way: its symbol centred on its pixel
// (turned by its angle once it has an angle), its label in a white box above
// the symbol, or centred on the point when the item has no bitmap.
#include <cstdint>
#include <optional>
#include <span>

#include "control/core/dirty_rects.h"
#include "control/core/view_state.h"
#include "control/items/item_store.h"
#include "platform/gdi/canvas.h"

namespace quelmar::items {

// The label font: "ARIAL", |fontSize| pixels high, normal weight.
gdi::Font ItemLabelFont(std::int32_t fontSize);

// Where an item lands in client pixels.
struct ItemPlacement {
  core::TPixelPoint Pixel;
  core::TPixelRect Symbol;  // the symbol's rectangle, turned when drawn turned; empty without a bitmap
  core::TPixelRect Label;   // the label's rectangle; empty without a label
  bool Turned = false;
};

ItemPlacement PlaceItem(const TMapItem& item, const core::ViewState& view, const gdi::Font& labelFont);

struct ItemPaint {
  const core::ViewState* View = nullptr;  // the view the map under the items was drawn for; never null
  gdi::Font LabelFont = ItemLabelFont(14);
  // When not empty, only items whose last rectangle touches one of these (or
  // that were never drawn) are drawn: the rest of the picture is not shown.
  std::span<const core::TPixelRect> Only;
};

// Draws every visible item inside the view in draw order, and records each
// one's rectangle as its Bounds.
void PaintItems(gdi::Canvas& canvas, ItemStore& store, const ItemPaint& paint);

// The first visible item, in identifier order, whose symbol or label
// rectangle holds the pixel; nullopt when none does.
std::optional<ItemId> HitItem(const ItemStore& store, const core::ViewState& view, const gdi::Font& labelFont,
                              core::TPixelPoint pixel);

}  // namespace quelmar::items
