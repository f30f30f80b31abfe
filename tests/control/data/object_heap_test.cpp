#include "control/data/object_heap.h"

#include <gtest/gtest.h>

#include "control/data/drawing.h"

namespace quelmar::data {
namespace {

TEST(ObjectHeap, OwnerTagsCountUpWrapToTwoAndSkipTagsInUse) {
  ObjectHeap heap;
  EXPECT_EQ(heap.NewOwner(), 1);
  EXPECT_EQ(heap.NewOwner(), 2);
  ASSERT_TRUE(heap.Allocate(3, 10));  // tag 3 owns a page
  EXPECT_EQ(heap.NewOwner(), 4);      // 3 is skipped
  for (int i = 5; i <= ObjectHeap::kLastOwner; ++i) heap.NewOwner();
  EXPECT_EQ(heap.NewOwner(), 2);      // after 32000 the counter wraps to 2
}

TEST(ObjectHeap, PagesFillThenANewPageIsTaken) {
  ObjectHeap heap;
  const std::size_t full = ObjectHeap::kMaxPages * ObjectHeap::kPageSize;
  EXPECT_EQ(heap.FreeBytes(), full);
  ASSERT_TRUE(heap.Allocate(2, 20000));
  EXPECT_EQ(heap.PagesOf(2), 1u);
  ASSERT_TRUE(heap.Allocate(2, 378));  // 20,378 used: still the first page
  EXPECT_EQ(heap.PagesOf(2), 1u);
  ASSERT_TRUE(heap.Allocate(2, 1));    // would reach 20,379: a second page
  EXPECT_EQ(heap.PagesOf(2), 2u);
  EXPECT_EQ(heap.FreeBytes(), full - 20379);
  EXPECT_FALSE(heap.Allocate(2, ObjectHeap::kLargestRequest + 1));
}

TEST(ObjectHeap, FreeingADrawingCompactsAndSparesTheBaseMap) {
  ObjectHeap heap;
  ASSERT_TRUE(heap.Allocate(1, 100));
  ASSERT_TRUE(heap.Allocate(2, 20000));
  ASSERT_TRUE(heap.Allocate(3, 100));
  heap.Free(2);
  EXPECT_EQ(heap.PagesInUse(), 2u);
  EXPECT_EQ(heap.PagesOf(3), 1u);
  heap.Free(ObjectHeap::kBaseMapOwner);
  EXPECT_EQ(heap.PagesOf(1), 1u);
}

TEST(ObjectHeap, RunsOutOfPageSlots) {
  ObjectHeap heap;
  for (std::size_t i = 0; i < ObjectHeap::kMaxPages; ++i) ASSERT_TRUE(heap.Allocate(2, 20000)) << i;
  EXPECT_FALSE(heap.Allocate(2, 20000));
  EXPECT_FALSE(heap.Allocate(3, 1));
}

TEST(ObjectHeap, ADrawingOverTheHeapStopsAsOutOfMemory) {
  ObjectHeap heap;
  Drawing drawing;
  drawing.SetAllocator([&](std::size_t bytes) { return heap.Allocate(2, bytes); });
  DrawObject place{ObjectKind::PlaceObject, 16, PlaceObject{0, 0, {}, 0, std::string(100, 'A')}};
  std::int32_t appended = 0;
  while (drawing.Append(place)) ++appended;
  EXPECT_TRUE(drawing.OutOfMemory());
  EXPECT_EQ(drawing.Count(), appended);
  EXPECT_GT(appended, 100000);
}

}  // namespace
}  // namespace quelmar::data
