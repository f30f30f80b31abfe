// The item and host-drawing members of TTarvo: the host's markers (placed,
// moved, turned, labelled, ordered, hidden, deleted, hit-tested) and drawing
// into a device context the host hands over, up to a whole map (DirectDraw).
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"

namespace quelmar::automation {

using guard::MapDegrees;
using guard::Out;

namespace {

// A text argument that came as a variant (a string, or a number written out).
std::string TextOf(const Variant& v, const char* argument) {
  std::string utf8;
  if (const HRESULT hr = v.ToString(&utf8); hr < 0) {
    throw ArgumentError(std::string("Argument ") + argument + " is not a text", CodeOfResult(hr));
  }
  return com::ToShortString(utf8);
}

gdi::COLORREF ColourOf(std::int32_t cl) { return guard::ColorFromOle(static_cast<com::OLE_COLOR>(cl)); }

}  // namespace

HRESULT TTarvo::SetItem(std::int32_t id, const Variant& x, const Variant& y) {
  return Call("SetItem", [&](Ttvmap&) { items_->SetItem(id, MapDegrees(x, "x"), MapDegrees(y, "y")); });
}

HRESULT TTarvo::SetItemBitmap(std::int32_t id, std::int32_t h) {
  return Call("SetItemBitmap", [&](Ttvmap&) { items_->SetItemBitmap(id, h); });
}

HRESULT TTarvo::SetItemLocalBitmap(std::int32_t id, const Variant& s) {
  return Call("SetItemLocalBitmap", [&](Ttvmap&) { items_->SetItemLocalBitmap(id, TextOf(s, "s")); });
}

HRESULT TTarvo::SetItemString(std::int32_t id, const Variant& s) {
  return Call("SetItemString", [&](Ttvmap&) { items_->SetItemString(id, TextOf(s, "s")); });
}

HRESULT TTarvo::SetItemVis(std::int32_t id, com::VARIANT_BOOL flag) {
  return Call("SetItemVis", [&](Ttvmap&) { items_->SetItemVis(id, flag != com::VARIANT_FALSE); });
}

HRESULT TTarvo::SetItemAngle(std::int32_t id, std::int32_t angle) {
  return Call("SetItemAngle", [&](Ttvmap&) { items_->SetItemAngle(id, angle); });
}

HRESULT TTarvo::SetItem2Front(std::int32_t id) {
  return Call("SetItem2Front", [&](Ttvmap&) { items_->SetItem2Front(id); });
}

HRESULT TTarvo::SetItem2Back(std::int32_t id) {
  return Call("SetItem2Back", [&](Ttvmap&) { items_->SetItem2Back(id); });
}

HRESULT TTarvo::HideAllItems() {
  return Call("HideAllItems", [&](Ttvmap&) { items_->ShowAllItems(false); });
}

HRESULT TTarvo::ShowAllItems() {
  return Call("ShowAllItems", [&](Ttvmap&) { items_->ShowAllItems(true); });
}

HRESULT TTarvo::DeleteItem(std::int32_t id) {
  return Call("DeleteItem", [&](Ttvmap&) { items_->DeleteItemRange(id, id); });
}

HRESULT TTarvo::DeleteItemRange(std::int32_t id1, std::int32_t id2) {
  return Call("DeleteItemRange", [&](Ttvmap&) { items_->DeleteItemRange(id1, id2); });
}

HRESULT TTarvo::DeleteAllItems() {
  return Call("DeleteAllItems", [&](Ttvmap&) { items_->DeleteAllItems(); });
}

HRESULT TTarvo::Finditem(const Variant& x, const Variant& y, std::int32_t* retval) {
  return Call("Finditem", [&](Ttvmap&) {
    std::int32_t& out = Out(retval);
    // While the Locator is open its search owns the map: no item is found.
    out = locatorOpen_ ? 0 : items_->Finditem(MapDegrees(x, "x"), MapDegrees(y, "y"));
  });
}

HRESULT TTarvo::get_ItemFontSize(std::int32_t* value) {
  return Call("ItemFontSize", [&](Ttvmap&) { Out(value) = items_->FontSize(); });
}

HRESULT TTarvo::put_ItemFontSize(std::int32_t value) {
  return Call("ItemFontSize", [&](Ttvmap&) { items_->SetFontSize(value); });
}

HRESULT TTarvo::DrawObject(std::int32_t dc, const Variant& x1, const Variant& y1, std::int32_t tp, std::int32_t cl) {
  return Call("DrawObject", [&](Ttvmap&) {
    items_->DrawObject(dc, MapDegrees(x1, "x1"), MapDegrees(y1, "y1"), tp, ColourOf(cl));
  });
}

HRESULT TTarvo::DrawLine(std::int32_t dc, const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2,
                         std::int32_t w, std::int32_t cl, std::int32_t m) {
  return Call("DrawLine", [&](Ttvmap&) {
    items_->DrawLine(dc, MapDegrees(x1, "x1"), MapDegrees(y1, "y1"), MapDegrees(x2, "x2"), MapDegrees(y2, "y2"), w,
                     ColourOf(cl), m);
  });
}

HRESULT TTarvo::DrawBubble(std::int32_t dc, const Variant& x, const Variant& y, const std::string& temp) {
  return Call("DrawBubble", [&](Ttvmap&) {
    items_->DrawBubble(dc, MapDegrees(x, "x"), MapDegrees(y, "y"), guard::AnsiArg(temp));
  });
}

HRESULT TTarvo::ClrStrBubble() {
  return Call("ClrStrBubble", [&](Ttvmap&) { items_->ClearBubble(); });
}

HRESULT TTarvo::DrawNorth(std::int32_t dc, std::int32_t x, std::int32_t y) {
  return Call("DrawNorth", [&](Ttvmap&) { items_->DrawNorth(dc, x, y); });
}

HRESULT TTarvo::DrawScalebar(std::int32_t dc, std::int32_t x, std::int32_t y) {
  return Call("DrawScalebar", [&](Ttvmap&) { items_->DrawScalebar(dc, x, y); });
}

HRESULT TTarvo::DirectDraw(std::int32_t dc, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                           com::VARIANT_BOOL flag, com::VARIANT_BOOL scaleflag, com::VARIANT_BOOL mono) {
  return Call("DirectDraw", [&](Ttvmap&) {
    items_->DirectDraw(dc, x, y, w, h, flag != com::VARIANT_FALSE, scaleflag != com::VARIANT_FALSE,
                       mono != com::VARIANT_FALSE);
  });
}

}  // namespace quelmar::automation
