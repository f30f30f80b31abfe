// ItemStore: identifiers, creation and moves with their dirty rectangles,
// draw order, labels, angles and deletion.
#include "control/items/item_store.h"

#include <gtest/gtest.h>

#include <vector>

#include "control/core/errors.h"
#include "view_fixture.h"

namespace quelmar::items {
namespace {

using core::TPixelRect;

class Store : public ::testing::Test {
 protected:
  void SetUp() override { test::OnePixelPerUnit(view_, 0, 0, 1000, 1000); }
  DirtySink Sink() {
    return [this](const TPixelRect& r) { dirty_.push_back(r); };
  }
  void Add(ItemId id, double x = 100, double y = 900) { ASSERT_TRUE(store_.Set(id, x, y, view_, Sink())); }
  std::vector<ItemId> Order() const { return store_.DrawOrder(); }

  core::ViewState view_;
  ItemStore store_;
  std::vector<TPixelRect> dirty_;
};

TEST(ItemIds, OnlyOneTo65535AreIdentifiers) {
  struct Case {
    std::int32_t id;
    bool valid;
  };
  for (const Case c : {Case{1, true}, Case{65535, true}, Case{4464, true}, Case{0, false}, Case{65536, false},
                       Case{70000, false}, Case{-1, false}, Case{INT32_MIN, false}}) {
    SCOPED_TRACE(c.id);
    if (c.valid) {
      EXPECT_EQ(CheckedItemId(c.id), c.id);
    } else {
      EXPECT_THROW(CheckedItemId(c.id), ArgumentError);
    }
  }
}

TEST_F(Store, NewItemsAreSortedByIdAndDrawnInTheOrderMade) {
  Add(30);
  Add(10);
  Add(20);
  ASSERT_EQ(store_.Count(), 3u);
  EXPECT_EQ(store_.ById()[0].Id, 10);
  EXPECT_EQ(store_.ById()[2].Id, 30);
  EXPECT_EQ(Order(), (std::vector<ItemId>{30, 10, 20}));
  const TMapItem& made = *store_.Find(10);
  EXPECT_TRUE(made.Visible);
  EXPECT_FALSE(made.Moved);
  EXPECT_EQ(made.OrderPos, 2);
  EXPECT_EQ(made.Bounds, TPixelRect{});
  EXPECT_TRUE(dirty_.empty());  // a new item dirties nothing
  EXPECT_EQ(store_.Find(15), nullptr);
}

TEST_F(Store, MovingDirtiesTheOldRectangleAndTheShiftedOne) {
  Add(7);
  store_.Find(7)->Bounds = {90, 90, 110, 110};
  ASSERT_TRUE(store_.Set(7, 130, 880, view_, Sink()));  // 30 right, 20 down
  ASSERT_EQ(dirty_.size(), 2u);
  EXPECT_EQ(dirty_[0], (TPixelRect{90, 90, 110, 110}));
  EXPECT_EQ(dirty_[1], (TPixelRect{120, 110, 140, 130}));
  EXPECT_EQ(store_.Find(7)->Bounds, dirty_[1]);
  EXPECT_TRUE(store_.Find(7)->Moved);
  EXPECT_EQ(store_.Find(7)->X, 130);
}

TEST_F(Store, AFullStoreMakesNoMoreItemsButStillMovesItsOwn) {
  for (std::size_t i = 1; i <= kMaxItems; ++i) Add(static_cast<ItemId>(i));
  EXPECT_FALSE(store_.Set(static_cast<ItemId>(kMaxItems + 1), 1, 1, view_, Sink()));
  EXPECT_EQ(store_.Count(), kMaxItems);
  EXPECT_TRUE(store_.Set(5, 1, 1, view_, Sink()));
  EXPECT_EQ(store_.Find(5)->X, 1);
}

TEST_F(Store, FrontAndBackMoveOnlyTheDrawOrder) {
  for (ItemId id : {1, 2, 3, 4}) Add(id);
  store_.ToFront(2);
  EXPECT_EQ(Order(), (std::vector<ItemId>{1, 3, 4, 2}));
  store_.ToFront(2);  // already on top
  EXPECT_EQ(Order(), (std::vector<ItemId>{1, 3, 4, 2}));
  store_.ToBack(4);
  EXPECT_EQ(Order(), (std::vector<ItemId>{4, 1, 3, 2}));
  store_.ToBack(99);  // not stored
  EXPECT_EQ(Order(), (std::vector<ItemId>{4, 1, 3, 2}));
  EXPECT_EQ(store_.Find(4)->OrderPos, 1);
  EXPECT_EQ(store_.Find(2)->OrderPos, 4);
  EXPECT_EQ(store_.ById()[0].Id, 1);
}

TEST_F(Store, RangeDeletion) {
  struct Case {
    ItemId first, last;
    std::vector<ItemId> left;
  };
  const std::vector<Case> cases = {
      {5, 3, {1, 3, 5, 9, 65535}},  // a backward range deletes nothing
      {3, 5, {1, 9, 65535}},
      {4, 4, {1, 3, 5, 9, 65535}},  // nothing stored there
      {9, 65535, {1, 3, 5}},        // up to the last identifier, and the loop ends
      {1, 65535, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.first << ".." << c.last);
    store_.DeleteAll();
    for (ItemId id : {9, 1, 65535, 3, 5}) Add(id);
    store_.DeleteRange(c.first, c.last);
    std::vector<ItemId> ids;
    for (const TMapItem& item : store_.ById()) ids.push_back(item.Id);
    EXPECT_EQ(ids, c.left);
    EXPECT_EQ(store_.DrawOrder().size(), c.left.size());
    for (std::size_t i = 0; i < store_.DrawOrder().size(); ++i) {
      EXPECT_EQ(store_.Find(store_.DrawOrder()[i])->OrderPos, static_cast<std::int32_t>(i + 1));
    }
  }
}

TEST_F(Store, LabelsLoseOneTrailingNulAndStopAtFortyCharacters) {
  Add(1);
  store_.SetLabel(1, std::string("Truck 7") + '\0');
  EXPECT_EQ(store_.Find(1)->Label, "Truck 7");
  store_.SetLabel(1, std::string(50, 'x'));
  EXPECT_EQ(store_.Find(1)->Label, std::string(40, 'x'));
  store_.SetLabel(2, "nobody");  // not stored: nothing happens
  EXPECT_EQ(store_.Count(), 1u);
}

TEST_F(Store, TurningDirtiesTheOldAndTheTurnedSymbolRectangles) {
  Add(1, 100, 900);  // pixel (100, 100)
  store_.Find(1)->Bounds = {90, 90, 110, 110};
  store_.SetAngle(1, 90, view_, Sink());
  ASSERT_EQ(dirty_.size(), 2u);
  EXPECT_EQ(dirty_[0], (TPixelRect{90, 90, 110, 110}));
  // No bitmap: a 20 x 20 symbol, half sides 12; a quarter turn keeps the square.
  EXPECT_EQ(dirty_[1], (TPixelRect{88, 88, 112, 112}));
  store_.SetAngle(1, 45, view_, Sink());
  const TPixelRect r = dirty_.back();
  EXPECT_EQ(r.Right - r.Left, 34);  // 24 × √2 rounded up
  EXPECT_EQ(r.Left + r.Right, 200);
  store_.SetAngle(1, 65536 + 30, view_, Sink());
  EXPECT_EQ(store_.Find(1)->Angle, 30);  // the low 16 bits
}

TEST_F(Store, VisibilityOfOneAndOfAll) {
  Add(1);
  Add(2);
  store_.SetVisible(1, false);
  EXPECT_FALSE(store_.Find(1)->Visible);
  EXPECT_TRUE(store_.Find(2)->Visible);
  store_.SetAllVisible(false);
  EXPECT_FALSE(store_.Find(2)->Visible);
  store_.SetAllVisible(true);
  EXPECT_TRUE(store_.Find(1)->Visible);
}

}  // namespace
}  // namespace quelmar::items
