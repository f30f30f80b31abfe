// MapItems in a control without a window host: the result bubble drawn at
// each paint until cleared, and items drawn through the panel's hook.
#include "control/items/map_items.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "control/core/control_context.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::items {
namespace {

using gdi::DrawKind;

class Items : public ::testing::Test {
 protected:
  std::vector<gdi::DrawRecord> Paint() {
    gdi::RecordingCanvas canvas({400, 300});
    context_.Panel().hooks().items->DrawItems(canvas, core::ItemPaintRequest{&context_.Panel().view(), core::OutputKind::Screen, {}});
    return canvas.Records();
  }
  core::ControlContext context_;
  MapItems& items_ = AttachItems(context_);
};

TEST_F(Items, TheResultBubbleIsDrawnUntilCleared) {
  core::ViewState& view = context_.Panel().view();
  view.View().Width = 400;
  view.View().Height = 300;
  view.ZoomWindow(-88, 42, -87, 41);
  items_.SetBubble({-1367188, 648438}, "1060 W Addison St");
  auto records = Paint();
  ASSERT_EQ(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.kind == DrawKind::Polygon; }), 1);
  EXPECT_EQ(records.back().text, "1060 W Addison St");
  items_.ClearBubble();
  EXPECT_TRUE(Paint().empty());
}

TEST_F(Items, ItemsAreDrawnThroughThePanelsHook) {
  core::ViewState& view = context_.Panel().view();
  view.View().Width = 400;
  view.View().Height = 300;
  view.ZoomWindow(-88, 42, -87, 41);
  items_.SetItem(5, -87.5, 41.5);
  items_.SetItemString(5, "Five");
  const auto records = Paint();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().text, "Five");
  items_.DeleteAllItems();
  EXPECT_TRUE(Paint().empty());
}

}  // namespace
}  // namespace quelmar::items
