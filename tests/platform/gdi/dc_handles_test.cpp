#include "platform/gdi/dc_handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

#include "platform/gdi/recording_canvas.h"

namespace quelmar::gdi {
namespace {

TEST(DcHandlesTest, HandlesFindTheirCanvasUntilReleased) {
  RecordingCanvas first(Size{1, 1}), second(Size{2, 2});
  const HDC a = RegisterDc(&first);
  const HDC b = RegisterDc(&second);
  EXPECT_GE(a, 0x1000);
  EXPECT_NE(a, b);
  EXPECT_EQ(DcFromHandle(a), &first);
  EXPECT_EQ(DcFromHandle(b), &second);
  ReleaseDc(a);
  EXPECT_EQ(DcFromHandle(a), nullptr);
  EXPECT_EQ(DcFromHandle(b), &second);
  ReleaseDc(a);  // twice: ignored
  ReleaseDc(b);
}

TEST(DcHandlesTest, UnknownHandlesAndNullCanvasesFindNothing) {
  EXPECT_EQ(RegisterDc(nullptr), 0);
  for (HDC h : {0, -1, 1, 0x0FFF, 0x7FFFFFFF}) EXPECT_EQ(DcFromHandle(h), nullptr) << h;
}

TEST(DcHandlesTest, ReleasedHandlesAreNeverGivenOutAgain) {
  RecordingCanvas canvas(Size{1, 1});
  std::set<HDC> seen;
  HDC previous = 0;
  for (int i = 0; i < 100; ++i) {
    const HDC h = RegisterDc(&canvas);
    EXPECT_TRUE(seen.insert(h).second) << "handle " << h << " reused";
    EXPECT_GT(h, previous);
    previous = h;
    ReleaseDc(h);
  }
}

TEST(DcHandlesTest, ScopedDcReleasesOnDestruction) {
  RecordingCanvas canvas(Size{1, 1});
  HDC handle = 0;
  {
    ScopedDc scoped(canvas);
    handle = scoped.Handle();
    EXPECT_EQ(DcFromHandle(handle), &canvas);
  }
  EXPECT_EQ(DcFromHandle(handle), nullptr);
}

TEST(DcHandlesTest, ThreadsRegisteringTogetherGetDistinctHandles) {
  RecordingCanvas canvas(Size{1, 1});
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::vector<std::vector<HDC>> handles(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        const HDC h = RegisterDc(&canvas);
        handles[t].push_back(h);
        if (DcFromHandle(h) != &canvas) handles[t].push_back(0);  // marks a lookup failure
        if (i % 2 == 0) ReleaseDc(h);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  std::vector<HDC> all;
  for (const auto& list : handles) all.insert(all.end(), list.begin(), list.end());
  EXPECT_EQ(std::count(all.begin(), all.end(), 0), 0);
  std::sort(all.begin(), all.end());
  EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
  EXPECT_EQ(all.size(), static_cast<std::size_t>(kThreads * kEach));
  for (HDC h : all) ReleaseDc(h);
}

}  // namespace
}  // namespace quelmar::gdi
