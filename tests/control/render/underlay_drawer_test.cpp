// Underlay images drawn end to end from files: placement on the view at 1:1
// and magnified with clipped edges, the styles, the compressed variant, the
// files that draw nothing, partial decoding, and the extent service.
#include "control/render/underlay_drawer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "control/render/background_filler.h"
#include "control/render/relief_shading.h"
#include "control/render/underlay_service.h"
#include "control/render/underlay_styles.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/kernel/beep.h"
#include "underlay_test_support.h"

namespace quelmar::render {
namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 165;
constexpr gdi::COLORREF kBackground = gdi::RGB(1, 2, 3);
const gdi::Rect kMapRect{0, 0, kWidth, kHeight};

// West edge -1,400,000 and north edge 616,500 map units, 100 units a pixel:
// pixel (px, py) is longitude -89.6 + 0.0064·px, latitude 39.456 - 0.0064·py.
core::ViewState TestView() {
  core::ViewState state;
  core::TViewWindow& view = state.View();
  view.Left = -1400000;
  view.Bottom = 600000;
  view.Scale = 0.01;
  view.ScaleY = 0.01;
  state.DeriveEdges();
  return state;
}

// The extent line placing an image's corner pixels on two screen pixels.
std::string SatLine(int px1, int py1, int px2, int py2) {
  char line[120];
  std::snprintf(line, sizeof line, "%.4f,%.4f,%.4f,%.4f\n", -89.6 + 0.0064 * px1, 39.456 - 0.0064 * py1,
                -89.6 + 0.0064 * px2, 39.456 - 0.0064 * py2);
  return line;
}

class UnderlayDrawing : public ::testing::Test {
 protected:
  UnderlayDrawing() : bitmap_(kWidth, kHeight), canvas_(bitmap_), view_(TestView()) { bitmap_.Fill(kBackground); }

  // Writes name (with its extent file) and draws it.
  void Draw(const std::string& name, const std::vector<std::uint8_t>& bytes, const std::string& satLine,
            UnderlayStyleOptions options = {}) {
    folder_.Write(name, bytes);
    folder_.Write(name.substr(0, name.find('.')) + ".sat", satLine);
    DrawUnderlayImage(canvas_, kMapRect, view_, (folder_.Path() / name).string(), options, state_);
  }

  // The grey level of a screen pixel (the fixtures' colour table is grey).
  int Grey(int x, int y) const { return static_cast<int>(bitmap_.Pixel(x, y) & 0xFF); }

  bool Untouched() const {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (bitmap_.Pixel(x, y) != kBackground) return false;
      }
    }
    return true;
  }

  gdi::Bitmap bitmap_;
  gdi::CairoCanvas canvas_;
  core::ViewState view_;
  test::ScratchFolder folder_;
  UnderlayState state_;
};

int Pattern(int x, int y) { return (x * 7 + y * 13) % 251 + 1; }

TEST_F(UnderlayDrawing, ImageCoveringTheViewIsCopiedPixelForPixel) {
  const test::TestImage image = test::MakeImage(kWidth, kHeight, Pattern);
  Draw("exact.bmp", test::MakeBmp(image), SatLine(0, 0, kWidth - 1, kHeight - 1));
  EXPECT_EQ(state_.LastProblem, "");
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(Grey(x, y), Pattern(x, y)) << x << "," << y;
  }
  EXPECT_TRUE(state_.Drawn);
  EXPECT_EQ(state_.Width, kWidth);
  EXPECT_EQ(state_.Colours, 256);
  EXPECT_FALSE(state_.RebuildPalette);
  ASSERT_TRUE(state_.Palette.has_value());
  EXPECT_EQ((*state_.Palette)[11], gdi::RGB(11, 11, 11));
}

TEST_F(UnderlayDrawing, MagnifiedImagePixelsAreWholeBlocksAtClippedEdges) {
  // 101 × 101 pixels, 4 screen pixels each, the corner pixels at (-10, -7) and (390, 393).
  const test::TestImage image = test::MakeImage(101, 101, Pattern);
  Draw("blocks.bmp", test::MakeBmp(image), SatLine(-10, -7, 390, 393));
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(Grey(x, y), Pattern((x + 10) / 4, (y + 7) / 4)) << x << "," << y;
  }
}

TEST_F(UnderlayDrawing, CompressedVariantDrawsTheSamePicture) {
  const test::TestImage image = test::MakeImage(60, 40, [](int x, int y) { return x < 30 ? 200 : (x / 5) + y; });
  Draw("plain.bmp", test::MakeBmp(image), SatLine(3, 5, 203, 150));
  gdi::Bitmap plain(kWidth, kHeight);
  gdi::CairoCanvas copy(plain);
  copy.BitBlt(kMapRect, canvas_, {0, 0}, gdi::Rop3::SrcCopy);

  bitmap_.Fill(kBackground);
  Draw("packed.PCC", test::MakePcc(image), SatLine(3, 5, 203, 150));
  EXPECT_EQ(state_.LastProblem, "");
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(bitmap_.Pixel(x, y), plain.Pixel(x, y)) << x << "," << y;
  }
}

TEST_F(UnderlayDrawing, MonoStyleDrawsTheGreyRamp) {
  const test::TestImage image = test::MakeImage(kWidth, kHeight, Pattern);
  Draw("mono.bmp", test::MakeBmp(image), SatLine(0, 0, kWidth - 1, kHeight - 1), {UndMono, 10, true});
  const UnderlayColours ramp = StyledColours(UndMono, {});
  EXPECT_EQ(bitmap_.Pixel(17, 23), ramp[static_cast<std::size_t>(Pattern(17, 23))]);
}

TEST_F(UnderlayDrawing, ShadowStyleShadesRowsAndSmoothsThemUnlessTheGridIsOn) {
  // Level ground at height 100: the first column keeps its height, the rest shade as level.
  const test::TestImage image = test::MakeImage(kWidth, kHeight, [](int, int) { return 100; });
  const UnderlayColours shadow = StyledColours(UndShadow, {});
  const int level = ReliefTable(10)(0);
  Draw("flat.bmp", test::MakeBmp(image), SatLine(0, 0, kWidth - 1, kHeight - 1), {UndShadow, 10, false});
  EXPECT_EQ(bitmap_.Pixel(0, 50), shadow[100]);
  EXPECT_EQ(bitmap_.Pixel(2, 50), shadow[static_cast<std::size_t>(level)]);
  EXPECT_EQ(bitmap_.Pixel(120, 50), shadow[static_cast<std::size_t>(level)]);

  Draw("flat.bmp", test::MakeBmp(image), SatLine(0, 0, kWidth - 1, kHeight - 1), {UndShadow, 10, true});
  // Pixel 2 averages in the unshaded first pixel: (100 + 15·level) div 16.
  EXPECT_EQ(bitmap_.Pixel(2, 50), shadow[static_cast<std::size_t>((100 + 15 * level) / 16)]);
  EXPECT_EQ(bitmap_.Pixel(120, 50), shadow[static_cast<std::size_t>(level)]);
}

TEST_F(UnderlayDrawing, DrawingIsClippedToTheMapRectangle) {
  const test::TestImage image = test::MakeImage(kWidth, kHeight, Pattern);
  folder_.Write("clip.bmp", test::MakeBmp(image));
  folder_.Write("clip.sat", SatLine(0, 0, kWidth - 1, kHeight - 1));
  DrawUnderlayImage(canvas_, {0, 0, 100, 60}, view_, (folder_.Path() / "clip.bmp").string(), {}, state_);
  EXPECT_EQ(Grey(99, 59), Pattern(99, 59));
  EXPECT_EQ(bitmap_.Pixel(100, 10), kBackground);
  EXPECT_EQ(bitmap_.Pixel(10, 60), kBackground);
}

struct NothingDrawnCase {
  const char* name;
  std::function<void(const test::ScratchFolder&)> write;
  bool drawnFlag;  // the header and extent were read
};

class UnderlayNothingDrawn : public UnderlayDrawing, public ::testing::WithParamInterface<NothingDrawnCase> {};

TEST_P(UnderlayNothingDrawn, LeavesTheBackground) {
  GetParam().write(folder_);
  DrawUnderlayImage(canvas_, kMapRect, view_, (folder_.Path() / "image.bmp").string(), {}, state_);
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(state_.Drawn, GetParam().drawnFlag);
}

const test::TestImage kSmall = test::MakeImage(8, 8, Pattern);

INSTANTIATE_TEST_SUITE_P(
    Cases, UnderlayNothingDrawn,
    ::testing::Values(
        NothingDrawnCase{"MissingImage", [](const auto& f) { f.Write("image.sat", SatLine(0, 0, 50, 50)); }, false},
        NothingDrawnCase{"MissingExtentFile", [](const auto& f) { f.Write("image.bmp", test::MakeBmp(kSmall)); },
                         false},
        NothingDrawnCase{"MalformedExtentFile",
                         [](const auto& f) {
                           f.Write("image.bmp", test::MakeBmp(kSmall));
                           f.Write("image.sat", std::string("-89.6,39.4\n"));
                         },
                         false},
        NothingDrawnCase{"TwentyFourBitImage",
                         [](const auto& f) {
                           auto bytes = test::MakeBmp(kSmall);
                           test::PutU16(bytes, 28, 24);
                           f.Write("image.bmp", bytes);
                           f.Write("image.sat", SatLine(0, 0, 50, 50));
                         },
                         false},
        NothingDrawnCase{"OutsideTheView",
                         [](const auto& f) {
                           f.Write("image.bmp", test::MakeBmp(kSmall));
                           f.Write("image.sat", SatLine(300, 0, 400, 50));
                         },
                         true},
        NothingDrawnCase{"MagnifiedPast100",
                         [](const auto& f) {
                           f.Write("image.bmp", test::MakeBmp(kSmall));
                           f.Write("image.sat", SatLine(0, 0, 707, 707));  // 101 pixels per image pixel
                         },
                         true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnderlayDrawing, DamagedRowStopsTheDecodingWithABeepAndKeepsTheRowsAbove) {
  // 10 rows of 1:1 pixels at the top-left; row 4 from the bottom (screen row 5) is damaged.
  const test::TestImage image = test::MakeImage(20, 10, Pattern);
  std::vector<std::uint8_t> bytes = test::MakePcc(image);
  const std::size_t table = 54 + 1024;
  // Row 4 runs from entry 3 to entry 4: moving its start to its end empties it.
  test::PutU32(bytes, table + 4 * 3, test::GetU32(bytes, table + 4 * 4));
  const long beeps = kernel::BeepCount();
  Draw("damaged.PCC", bytes, SatLine(0, 0, 19, 9));
  EXPECT_EQ(kernel::BeepCount(), beeps + 1);
  EXPECT_NE(state_.LastProblem, "");
  for (int y = 0; y < 5; ++y) EXPECT_EQ(Grey(3, y), Pattern(3, y)) << y;
  for (int y = 5; y < 10; ++y) EXPECT_EQ(bitmap_.Pixel(3, y), kBackground) << y;
}

TEST_F(UnderlayDrawing, SettingsDrawEachNamedImageInTurnWhenSwitchedOn) {
  folder_.Write("left.bmp", test::MakeBmp(test::MakeImage(4, 4, [](int, int) { return 40; })));
  folder_.Write("left.sat", SatLine(0, 0, 99, 99));
  folder_.Write("right.bmp", test::MakeBmp(test::MakeImage(4, 4, [](int, int) { return 80; })));
  folder_.Write("right.sat", SatLine(50, 0, 149, 99));
  core::UnderlaySettings settings;
  settings.SetUnderlayFile((folder_.Path() / "left.bmp").string() + ";" + (folder_.Path() / "RIGHT.BMP").string());
  DrawUnderlayImages(canvas_, kMapRect, view_, settings, false, state_);
  EXPECT_TRUE(Untouched());

  settings.SetUnderlay(true);
  DrawUnderlayImages(canvas_, kMapRect, view_, settings, false, state_);
  EXPECT_EQ(Grey(10, 10), 40);
  EXPECT_EQ(Grey(60, 10), 80);  // the second image lies over the first
  EXPECT_EQ(Grey(140, 10), 80);
  EXPECT_EQ(state_.Extent.x1, -1400000 + 50 * 100);
}

TEST(UnderlayFiller, BackgroundThenImagesAndTheExtentForZoomUnderlay) {
  test::ScratchFolder folder;
  folder.Write("relief.bmp", test::MakeBmp(test::MakeImage(4, 4, [](int, int) { return 90; })));
  folder.Write("relief.sat", SatLine(100, 50, 199, 149));
  const core::ViewState view = TestView();
  auto state = std::make_shared<UnderlayState>();
  UnderlayBackgroundFiller filler(state);
  UnderlayExtentService service(state);
  gdi::Bitmap bitmap(kWidth, kHeight);
  gdi::CairoCanvas canvas(bitmap);

  core::PaintRequest request;
  request.View = &view;
  request.Background = kBackground;
  filler.Fill(canvas, kMapRect, request);
  EXPECT_EQ(bitmap.Pixel(150, 100), kBackground);  // Underlay is off
  EXPECT_FALSE(service.UnderlayBounds().has_value());

  request.Underlay.SetUnderlay(true);
  request.Underlay.SetUnderlayFile((folder.Path() / "relief.bmp").string());
  request.Background = 0;
  filler.Fill(canvas, kMapRect, request);
  EXPECT_EQ(bitmap.Pixel(150, 100), gdi::RGB(90, 90, 90));
  const gdi::COLORREF corner = bitmap.Pixel(0, 0);  // the textured background
  EXPECT_TRUE(corner == gdi::RGB(0xC0, 0xC0, 0xC0) || corner == gdi::RGB(0x80, 0x80, 0x80) ||
              corner == gdi::RGB(0xFF, 0xFF, 0xFF));
  const auto bounds = service.UnderlayBounds();
  ASSERT_TRUE(bounds.has_value());
  EXPECT_EQ(bounds->x1, -1400000 + 100 * 100);
  EXPECT_EQ(bounds->y1, 616500 - 50 * 100);
  EXPECT_EQ(bounds->x2, -1400000 + 199 * 100);
  EXPECT_EQ(bounds->y2, 616500 - 149 * 100);
}

}  // namespace
}  // namespace quelmar::render
