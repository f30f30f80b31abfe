// Moving host items one by one, each move shown with Redirty (only the old
// and the new rectangle of the item are repainted), with 1,000 labelled items
// with symbols on a 1024 x 768 map; the time is reported per move.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/core/control_context.h"
#include "control/items/map_items.h"
#include "control/render/map_model_attach.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_handles.h"

namespace {

using namespace quelmar;

constexpr int kItems = 1000;

struct ItemsOnAMap {
  ItemsOnAMap() : items(AttachItemsAfterMap(context)) {
    core::Ttvmap& panel = context.Panel();
    panel.window().SetSize(1024, 768);
    panel.window().Show(true);
    panel.window().Update();
    panel.ZoomWindow(-88.2, 42.2, -87.4, 41.6);
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 15; ++x) symbol.SetPixel(x, y, (x + y) % 7 ? gdi::RGB(200, 30, 40) : 0xFFFFFF);
    }
    handle = gdi::RegisterBitmap(&symbol);
    for (int i = 1; i <= kItems; ++i) {
      items.SetItem(i, Lon(i, 0), Lat(i));
      items.SetItemBitmap(i, handle);
      items.SetItemString(i, "Unit " + std::to_string(i));
    }
    panel.Refresh();
  }
  ~ItemsOnAMap() { gdi::ReleaseBitmap(handle); }
  static items::MapItems& AttachItemsAfterMap(core::ControlContext& c) {
    render::AttachMapModel(c);
    return items::AttachItems(c);
  }
  static double Lon(int i, int step) { return -88.15 + 0.7 * ((i * 37) % kItems) / kItems + 0.0005 * (step % 20); }
  static double Lat(int i) { return 41.65 + 0.5 * ((i * 91) % kItems) / kItems; }

  core::ControlContext context;
  items::MapItems& items;
  gdi::Bitmap symbol{15, 15};
  gdi::HBITMAP handle = 0;
};

void BM_MoveItemsWithRedirty(benchmark::State& state) {
  static ItemsOnAMap* map = new ItemsOnAMap;
  int step = 0;
  for (auto _ : state) {
    ++step;
    for (int i = 1; i <= kItems; ++i) {
      map->items.SetItem(i, ItemsOnAMap::Lon(i, step), ItemsOnAMap::Lat(i));
      map->context.Panel().Redirty();
    }
  }
  state.counters["per_move"] =
      benchmark::Counter(kItems, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MoveItemsWithRedirty)->Unit(benchmark::kMillisecond);

}  // namespace
