// The landmark icon sheet: 72 pictograms drawn as vector shapes on a round
// badge whose colour tells the group (water, terrain, vegetation, works of
// man, public buildings, places), and the mask that keeps the key colour
// around them transparent.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <map>
#include <optional>
#include <vector>

#include "control/render/label_shapes.h"
#include "control/render/style_landmark_classes.h"
#include "platform/gdi/cairo_canvas.h"

namespace quelmar::render {
namespace {

using gdi::COLORREF;
using gdi::Point;
using gdi::Rect;
using gdi::RGB;

constexpr int kSize = LandmarkIconSheet::kIconSize;
constexpr int kColumns = 9;
constexpr int kRows = 8;
constexpr COLORREF kKey = LandmarkIconSheet::kKeyColour;

// Badge colours by group.
constexpr COLORREF kWater = RGB(0x1F, 0x6F, 0xC8);
constexpr COLORREF kIce = RGB(0x6C, 0xB4, 0xE4);
constexpr COLORREF kWetland = RGB(0x2A, 0x8C, 0x82);
constexpr COLORREF kTerrain = RGB(0x8C, 0x5A, 0x2C);
constexpr COLORREF kSand = RGB(0xC8, 0x96, 0x3C);
constexpr COLORREF kGreen = RGB(0x2E, 0x8B, 0x3A);
constexpr COLORREF kDarkGreen = RGB(0x1E, 0x64, 0x28);
constexpr COLORREF kWorks = RGB(0x55, 0x5F, 0x70);
constexpr COLORREF kTransport = RGB(0x2C, 0x3E, 0x8C);
constexpr COLORREF kHospital = RGB(0xD0, 0x20, 0x20);
constexpr COLORREF kChurch = RGB(0x6A, 0x2C, 0x8C);
constexpr COLORREF kCivic = RGB(0x9C, 0x1C, 0x3C);
constexpr COLORREF kMilitary = RGB(0x4B, 0x55, 0x20);
constexpr COLORREF kPlace = RGB(0xE0, 0x78, 0x10);
constexpr COLORREF kSchool = RGB(0xB0, 0x6A, 0x00);
constexpr COLORREF kCemetery = RGB(0x60, 0x60, 0x60);

// Colours inside the pictograms.
constexpr COLORREF kInk = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlack = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kFlame = RGB(0xFF, 0x50, 0x10);
constexpr COLORREF kSun = RGB(0xFF, 0xD8, 0x20);
constexpr COLORREF kLeaf = RGB(0x9C, 0xE0, 0x6C);

enum class Pictogram {
  Plane, Arch, Marker, Waves, Beach, Steps, Bridge, Building, Lighthouse, Cave, Tombstone, Church, Flag, Cliff,
  Crater, Crossing, Dam, Cactus, Wall, Plain, Conifer, Gap, Geyser, Glacier, Anchor, Hill, Cross, Palm, Volcano,
  Marsh, Grass, Star, Pick, Derrick, Tree, Pillar, Envelope, House, Mountains, Rapids, Rock, School, Slope, Drop,
  Peak, Tower, Trail, Tunnel, Valley, Well, Falls,
};

struct IconDesign {
  Pictogram pictogram;
  COLORREF badge;
};

// Classes 1..72 in the order of the class names.
constexpr std::array<IconDesign, kLandmarkClassCount> kDesigns = {{
    {Pictogram::Plane, kTransport},     // airport
    {Pictogram::Arch, kTerrain},        // arch
    {Pictogram::Marker, kPlace},        // area
    {Pictogram::Waves, kSand},          // arroyo
    {Pictogram::Waves, kWater},         // bar
    {Pictogram::Waves, kWater},         // basin
    {Pictogram::Waves, kWater},         // bay
    {Pictogram::Beach, kSand},          // beach
    {Pictogram::Steps, kTerrain},       // bench
    {Pictogram::Waves, kWater},         // bend
    {Pictogram::Bridge, kWorks},        // bridge
    {Pictogram::Building, kWorks},      // building
    {Pictogram::Waves, kWater},         // canal
    {Pictogram::Lighthouse, kWater},    // cape
    {Pictogram::Cave, kTerrain},        // cave
    {Pictogram::Tombstone, kCemetery},  // cemetery
    {Pictogram::Waves, kWater},         // channel
    {Pictogram::Church, kChurch},       // church
    {Pictogram::Flag, kCivic},          // civil
    {Pictogram::Cliff, kTerrain},       // cliff
    {Pictogram::Crater, kTerrain},      // crater
    {Pictogram::Crossing, kWorks},      // crossing
    {Pictogram::Dam, kWorks},           // dam
    {Pictogram::Cactus, kSand},         // desert
    {Pictogram::Wall, kWorks},          // dike
    {Pictogram::Falls, kWater},         // falls
    {Pictogram::Plain, kSand},          // flat
    {Pictogram::Conifer, kDarkGreen},   // forest
    {Pictogram::Gap, kTerrain},         // gap
    {Pictogram::Geyser, kWater},        // geyser
    {Pictogram::Glacier, kIce},         // glacier
    {Pictogram::Waves, kWater},         // gut
    {Pictogram::Anchor, kTransport},    // harbor
    {Pictogram::Hill, kTerrain},        // hill
    {Pictogram::Cross, kHospital},      // hospital
    {Pictogram::Palm, kWater},          // island
    {Pictogram::Plain, kTerrain},       // isthmus
    {Pictogram::Waves, kWater},         // lake
    {Pictogram::Volcano, kTerrain},     // lava
    {Pictogram::Wall, kWorks},          // levee
    {Pictogram::Marker, kPlace},        // locale
    {Pictogram::Marsh, kWetland},       // marsh
    {Pictogram::Grass, kGreen},         // meadow
    {Pictogram::Star, kMilitary},       // military
    {Pictogram::Pick, kWorks},          // mine
    {Pictogram::Derrick, kWorks},       // oilfield
    {Pictogram::Marker, kPlace},        // other
    {Pictogram::Tree, kGreen},          // park
    {Pictogram::Gap, kTerrain},         // pass
    {Pictogram::Pillar, kTerrain},      // pillar
    {Pictogram::Plain, kGreen},         // plain
    {Pictogram::Envelope, kTransport},  // post office
    {Pictogram::House, kPlace},         // populated place
    {Pictogram::Mountains, kTerrain},   // range
    {Pictogram::Rapids, kWater},        // rapids
    {Pictogram::Tree, kDarkGreen},      // reserve
    {Pictogram::Dam, kWater},           // reservoir
    {Pictogram::Mountains, kTerrain},   // ridge
    {Pictogram::Rock, kTerrain},        // rock
    {Pictogram::School, kSchool},       // school
    {Pictogram::Waves, kWater},         // sea
    {Pictogram::Slope, kTerrain},       // slope
    {Pictogram::Drop, kWater},          // spring
    {Pictogram::Waves, kWater},         // stream
    {Pictogram::Peak, kTerrain},        // summit
    {Pictogram::Marsh, kWetland},       // swamp
    {Pictogram::Tower, kWorks},         // tower
    {Pictogram::Trail, kGreen},         // trail
    {Pictogram::Tunnel, kWorks},        // tunnel
    {Pictogram::Valley, kTerrain},      // valley
    {Pictogram::Well, kWorks},          // well
    {Pictogram::Conifer, kGreen},       // woods
}};

// Draws in the 24 × 24 frame of one icon (the canvas's window origin puts
// (0, 0) at the icon's corner).
class IconPainter {
 public:
  IconPainter(gdi::Canvas& canvas, COLORREF badge) : c_(canvas), badge_(badge) {}

  COLORREF Badge() const { return badge_; }

  void Shape(std::initializer_list<Point> points, COLORREF colour) {
    Use(colour, colour, 1);
    c_.Polygon(std::vector<Point>(points));
  }
  void Disc(int cx, int cy, int r, COLORREF colour) {
    Use(colour, colour, 1);
    c_.Ellipse(Rect{cx - r, cy - r, cx + r + 1, cy + r + 1});
  }
  // Pixels [left, right) × [top, bottom).
  void Bar(int left, int top, int right, int bottom, COLORREF colour) {
    c_.FillRect(Rect{left, top, right, bottom}, gdi::Brush::Solid(colour));
  }
  void Line(std::initializer_list<Point> points, COLORREF colour, int width = 1) {
    Use(std::nullopt, colour, width);
    c_.Polyline(std::vector<Point>(points));
  }
  // A wave of `periods` periods across `length` pixels from (x, y) to the right.
  void Wave(int x, int y, int periods, COLORREF colour, int width = 2, int length = 14) {
    static constexpr int kRise[4] = {0, -1, 0, 1};
    const int steps = periods * 4;
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) points.push_back(Point{x + i * length / steps, y + kRise[i % 4]});
    Use(std::nullopt, colour, width);
    c_.Polyline(points);
  }

 private:
  void Use(std::optional<COLORREF> fill, COLORREF pen, int width) {
    c_.SetPen(gdi::Pen{gdi::PenStyle::Solid, width, pen});
    c_.SetBrush(fill ? gdi::Brush::Solid(*fill) : gdi::Brush::Null());
  }

  gdi::Canvas& c_;
  COLORREF badge_;
};

void DrawPictogram(IconPainter& p, Pictogram pictogram) {
  const COLORREF badge = p.Badge();
  switch (pictogram) {
    case Pictogram::Plane:
      p.Shape({{12, 3}, {13, 4}, {13, 9}, {20, 13}, {20, 15}, {13, 13}, {13, 17}, {15, 19}, {15, 20}, {12, 19},
               {9, 20}, {9, 19}, {11, 17}, {11, 13}, {4, 15}, {4, 13}, {11, 9}, {11, 4}},
              kInk);
      break;
    case Pictogram::Arch:
      p.Shape({{4, 18}, {6, 9}, {9, 6}, {15, 6}, {18, 9}, {20, 18}, {16, 18}, {15, 12}, {12, 10}, {9, 12}, {8, 18}},
              kInk);
      break;
    case Pictogram::Marker:
      p.Shape({{12, 20}, {7, 12}, {7, 8}, {9, 5}, {12, 4}, {15, 5}, {17, 8}, {17, 12}}, kInk);
      p.Disc(12, 9, 2, badge);
      break;
    case Pictogram::Waves:
      p.Wave(5, 8, 3, kInk);
      p.Wave(5, 12, 3, kInk);
      p.Wave(5, 16, 3, kInk);
      break;
    case Pictogram::Rapids:
      p.Wave(5, 9, 3, kInk);
      p.Line({{5, 13}, {8, 11}, {10, 14}, {13, 11}, {15, 14}, {18, 11}}, kInk, 2);
      p.Wave(5, 17, 3, kInk);
      break;
    case Pictogram::Beach:
      p.Disc(15, 8, 3, kSun);
      p.Wave(4, 14, 3, kWater, 2, 16);
      p.Shape({{4, 17}, {20, 17}, {19, 19}, {5, 19}}, kInk);
      break;
    case Pictogram::Steps:
      p.Shape({{4, 18}, {4, 14}, {9, 14}, {9, 10}, {14, 10}, {14, 6}, {20, 6}, {20, 18}}, kInk);
      break;
    case Pictogram::Bridge:
      p.Bar(3, 8, 21, 10, kInk);
      p.Line({{4, 17}, {6, 13}, {9, 11}, {12, 10}, {15, 11}, {18, 13}, {20, 17}}, kInk, 2);
      p.Bar(7, 10, 8, 13, kInk);
      p.Bar(16, 10, 17, 13, kInk);
      p.Wave(4, 19, 3, kIce, 1, 16);
      break;
    case Pictogram::Building:
      p.Bar(7, 4, 17, 20, kInk);
      for (int y = 6; y < 17; y += 3) {
        p.Bar(9, y, 11, y + 2, badge);
        p.Bar(13, y, 15, y + 2, badge);
      }
      p.Bar(11, 17, 13, 20, badge);
      break;
    case Pictogram::Lighthouse:
      p.Shape({{10, 8}, {14, 8}, {16, 19}, {8, 19}}, kInk);
      p.Bar(10, 5, 14, 8, kSun);
      p.Shape({{9, 5}, {12, 2}, {15, 5}}, kHospital);
      p.Bar(9, 12, 15, 14, kHospital);
      p.Bar(5, 19, 19, 21, kInk);
      break;
    case Pictogram::Cave:
      p.Shape({{3, 18}, {6, 10}, {10, 6}, {15, 6}, {19, 10}, {21, 18}}, kInk);
      p.Shape({{8, 18}, {9, 13}, {12, 11}, {15, 13}, {16, 18}}, kBlack);
      break;
    case Pictogram::Tombstone:
      p.Shape({{7, 20}, {7, 9}, {9, 6}, {12, 5}, {15, 6}, {17, 9}, {17, 20}}, kInk);
      p.Bar(11, 8, 13, 17, badge);
      p.Bar(9, 10, 15, 12, badge);
      p.Bar(5, 19, 19, 21, kInk);
      break;
    case Pictogram::Church:
      p.Bar(11, 3, 13, 9, kInk);
      p.Bar(9, 5, 15, 7, kInk);
      p.Shape({{6, 14}, {12, 9}, {18, 14}}, kInk);
      p.Bar(7, 14, 18, 20, kInk);
      p.Bar(11, 16, 13, 20, badge);
      break;
    case Pictogram::Flag:
      p.Bar(7, 4, 9, 21, kInk);
      p.Shape({{9, 5}, {13, 4}, {16, 6}, {19, 5}, {19, 12}, {16, 13}, {13, 11}, {9, 12}}, kInk);
      break;
    case Pictogram::Cliff:
      p.Shape({{3, 19}, {3, 6}, {11, 6}, {12, 10}, {11, 13}, {13, 16}, {14, 19}}, kInk);
      p.Line({{15, 19}, {21, 19}}, kInk);
      break;
    case Pictogram::Crater:
      p.Shape({{3, 12}, {7, 9}, {17, 9}, {21, 12}, {21, 16}, {3, 16}}, kInk);
      p.Shape({{7, 11}, {17, 11}, {15, 14}, {9, 14}}, kBlack);
      break;
    case Pictogram::Crossing:
      p.Line({{6, 6}, {18, 18}}, kInk, 3);
      p.Line({{18, 6}, {6, 18}}, kInk, 3);
      break;
    case Pictogram::Dam:
      p.Shape({{12, 5}, {15, 5}, {18, 20}, {12, 20}}, kInk);
      p.Wave(3, 9, 2, kIce, 2, 8);
      p.Wave(3, 13, 2, kIce, 2, 8);
      p.Wave(3, 17, 2, kIce, 2, 8);
      break;
    case Pictogram::Cactus:
      p.Bar(11, 4, 14, 20, kLeaf);
      p.Bar(7, 8, 9, 13, kLeaf);
      p.Bar(7, 12, 11, 14, kLeaf);
      p.Bar(16, 6, 18, 11, kLeaf);
      p.Bar(14, 10, 17, 12, kLeaf);
      p.Bar(5, 19, 20, 21, kInk);
      break;
    case Pictogram::Wall:
      p.Shape({{3, 17}, {7, 9}, {17, 9}, {21, 17}}, kInk);
      p.Line({{6, 13}, {18, 13}}, badge);
      p.Line({{11, 9}, {11, 13}}, badge);
      p.Line({{9, 13}, {9, 17}}, badge);
      p.Line({{15, 13}, {15, 17}}, badge);
      break;
    case Pictogram::Plain:
      p.Bar(3, 11, 21, 13, kInk);
      p.Bar(5, 15, 19, 17, kInk);
      p.Bar(8, 19, 16, 20, kInk);
      p.Disc(12, 7, 2, kSun);
      break;
    case Pictogram::Conifer:
      p.Shape({{12, 3}, {16, 9}, {14, 9}, {18, 14}, {15, 14}, {19, 18}, {5, 18}, {9, 14}, {6, 14}, {10, 9}, {8, 9}},
              kInk);
      p.Bar(11, 18, 13, 21, kInk);
      break;
    case Pictogram::Tree:
      p.Disc(12, 10, 6, kInk);
      p.Disc(8, 12, 3, kInk);
      p.Disc(16, 12, 3, kInk);
      p.Bar(11, 14, 13, 21, kInk);
      break;
    case Pictogram::Gap:
      p.Shape({{3, 18}, {8, 6}, {11, 13}, {13, 13}, {16, 6}, {21, 18}}, kInk);
      p.Line({{12, 13}, {12, 19}}, kSun);
      break;
    case Pictogram::Geyser:
      p.Shape({{11, 16}, {10, 8}, {8, 4}, {12, 6}, {16, 4}, {14, 8}, {13, 16}}, kInk);
      p.Shape({{5, 19}, {8, 16}, {16, 16}, {19, 19}}, kInk);
      break;
    case Pictogram::Glacier:
      p.Shape({{3, 19}, {10, 5}, {14, 12}, {16, 9}, {21, 19}}, kInk);
      p.Line({{7, 15}, {10, 13}, {12, 16}}, kIce);
      break;
    case Pictogram::Anchor:
      p.Line({{12, 7}, {12, 19}}, kInk, 2);
      p.Line({{8, 10}, {16, 10}}, kInk, 2);
      p.Line({{5, 14}, {7, 18}, {12, 20}, {17, 18}, {19, 14}}, kInk, 2);
      p.Disc(12, 5, 2, kInk);
      break;
    case Pictogram::Hill:
      p.Shape({{3, 18}, {6, 13}, {9, 10}, {12, 9}, {15, 10}, {18, 13}, {21, 18}}, kInk);
      break;
    case Pictogram::Cross:
      p.Bar(10, 5, 14, 19, kInk);
      p.Bar(5, 10, 19, 14, kInk);
      break;
    case Pictogram::Palm:
      p.Shape({{4, 19}, {8, 16}, {16, 16}, {20, 19}}, kSand);
      p.Line({{12, 16}, {12, 11}, {11, 7}}, kInk, 2);
      p.Shape({{11, 7}, {6, 6}, {4, 9}}, kLeaf);
      p.Shape({{11, 7}, {16, 5}, {19, 8}}, kLeaf);
      p.Shape({{11, 7}, {9, 3}, {13, 4}}, kLeaf);
      break;
    case Pictogram::Volcano:
      p.Shape({{3, 19}, {9, 9}, {15, 9}, {21, 19}}, kInk);
      p.Shape({{10, 9}, {11, 4}, {12, 7}, {14, 3}, {14, 9}}, kFlame);
      break;
    case Pictogram::Marsh:
      p.Line({{7, 15}, {7, 8}}, kInk, 2);
      p.Line({{12, 15}, {12, 5}}, kInk, 2);
      p.Line({{17, 15}, {17, 8}}, kInk, 2);
      p.Line({{9, 15}, {10, 10}}, kInk);
      p.Line({{15, 15}, {14, 10}}, kInk);
      p.Wave(5, 18, 3, kInk);
      break;
    case Pictogram::Grass:
      for (int x : {6, 12, 18}) {
        p.Line({{x - 2, 11}, {x, 17}, {x + 2, 11}}, kInk, 2);
        p.Line({{x, 17}, {x, 9}}, kInk, 2);
      }
      p.Bar(3, 18, 21, 20, kInk);
      break;
    case Pictogram::Star:
      p.Shape({{12, 3}, {14, 9}, {20, 9}, {15, 13}, {17, 19}, {12, 15}, {7, 19}, {9, 13}, {4, 9}, {10, 9}}, kInk);
      break;
    case Pictogram::Pick:
      p.Line({{7, 19}, {16, 8}}, kInk, 2);
      p.Line({{10, 5}, {14, 5}, {18, 7}, {20, 11}}, kInk, 2);
      p.Line({{16, 17}, {8, 8}}, kSun, 2);
      break;
    case Pictogram::Derrick:
      p.Line({{8, 20}, {12, 4}, {16, 20}}, kInk, 2);
      p.Line({{9, 15}, {15, 15}}, kInk);
      p.Line({{10, 10}, {14, 10}}, kInk);
      p.Line({{9, 15}, {14, 10}}, kInk);
      p.Line({{15, 15}, {10, 10}}, kInk);
      p.Disc(18, 7, 1, kBlack);
      break;
    case Pictogram::Pillar:
      p.Bar(7, 5, 17, 7, kInk);
      p.Bar(9, 7, 15, 18, kInk);
      p.Line({{11, 8}, {11, 17}}, badge);
      p.Line({{13, 8}, {13, 17}}, badge);
      p.Bar(6, 18, 18, 20, kInk);
      break;
    case Pictogram::Envelope:
      p.Bar(4, 7, 20, 18, kInk);
      p.Line({{4, 7}, {12, 13}, {19, 7}}, badge);
      break;
    case Pictogram::House:
      p.Shape({{4, 12}, {12, 4}, {20, 12}}, kInk);
      p.Bar(6, 12, 19, 20, kInk);
      p.Bar(11, 14, 14, 20, badge);
      break;
    case Pictogram::Mountains:
      p.Shape({{2, 19}, {8, 8}, {11, 13}, {15, 5}, {22, 19}}, kInk);
      break;
    case Pictogram::Rock:
      p.Shape({{4, 18}, {5, 12}, {9, 8}, {14, 8}, {19, 11}, {20, 18}}, kInk);
      p.Line({{9, 11}, {12, 14}}, badge);
      break;
    case Pictogram::School:
      // An open book.
      p.Shape({{3, 7}, {8, 6}, {12, 8}, {12, 19}, {8, 17}, {3, 18}}, kInk);
      p.Shape({{21, 7}, {16, 6}, {12, 8}, {12, 19}, {16, 17}, {21, 18}}, kInk);
      p.Line({{12, 8}, {12, 19}}, badge);
      p.Line({{5, 10}, {10, 10}}, badge);
      p.Line({{14, 10}, {19, 10}}, badge);
      p.Line({{5, 13}, {10, 13}}, badge);
      p.Line({{14, 13}, {19, 13}}, badge);
      break;
    case Pictogram::Slope:
      p.Shape({{3, 19}, {21, 6}, {21, 19}}, kInk);
      break;
    case Pictogram::Drop:
      p.Shape({{12, 4}, {16, 11}, {17, 14}, {16, 17}, {14, 19}, {10, 19}, {8, 17}, {7, 14}, {8, 11}}, kInk);
      p.Line({{10, 13}, {10, 16}}, badge);
      break;
    case Pictogram::Peak:
      p.Shape({{3, 19}, {12, 5}, {21, 19}}, kInk);
      p.Shape({{12, 5}, {14, 2}, {14, 5}}, kHospital);
      p.Line({{12, 2}, {12, 5}}, kInk);
      break;
    case Pictogram::Tower:
      p.Line({{8, 20}, {11, 6}, {13, 6}, {16, 20}}, kInk, 2);
      p.Line({{9, 15}, {15, 15}}, kInk);
      p.Line({{10, 10}, {14, 10}}, kInk);
      p.Line({{12, 6}, {12, 2}}, kInk);
      p.Disc(12, 3, 1, kFlame);
      break;
    case Pictogram::Trail:
      // Footsteps along a path.
      p.Shape({{6, 17}, {8, 16}, {9, 18}, {8, 20}, {6, 19}}, kInk);
      p.Shape({{10, 13}, {12, 12}, {13, 14}, {12, 16}, {10, 15}}, kInk);
      p.Shape({{12, 8}, {14, 7}, {15, 9}, {14, 11}, {12, 10}}, kInk);
      p.Shape({{16, 4}, {18, 3}, {19, 5}, {18, 7}, {16, 6}}, kInk);
      break;
    case Pictogram::Tunnel:
      p.Shape({{3, 19}, {3, 10}, {7, 5}, {17, 5}, {21, 10}, {21, 19}}, kInk);
      p.Shape({{7, 19}, {7, 12}, {9, 9}, {15, 9}, {17, 12}, {17, 19}}, kBlack);
      break;
    case Pictogram::Valley:
      p.Shape({{2, 7}, {6, 7}, {12, 17}, {18, 7}, {22, 7}, {22, 19}, {2, 19}}, kInk);
      p.Wave(8, 18, 2, badge, 1, 8);
      break;
    case Pictogram::Well:
      p.Shape({{5, 9}, {12, 4}, {19, 9}}, kInk);
      p.Bar(7, 9, 9, 15, kInk);
      p.Bar(15, 9, 17, 15, kInk);
      p.Bar(5, 15, 19, 20, kInk);
      p.Line({{12, 9}, {12, 12}}, kInk);
      p.Bar(11, 12, 14, 14, kIce);
      break;
    case Pictogram::Falls:
      p.Shape({{3, 5}, {13, 5}, {13, 9}, {3, 9}}, kTerrain);
      p.Line({{8, 9}, {8, 17}}, kInk, 2);
      p.Line({{11, 9}, {11, 17}}, kInk, 2);
      p.Line({{14, 9}, {14, 17}}, kInk, 2);
      p.Wave(5, 19, 3, kInk);
      break;
  }
}

// The pixel rows inside the badge's rim, in icon coordinates.
std::vector<Rect> BadgeInterior() {
  constexpr double kCentre = (kSize - 1) / 2.0;
  constexpr double kRadius = kCentre - 0.9;
  std::vector<Rect> rows;
  for (int y = 0; y < kSize; ++y) {
    const double dy = y - kCentre;
    if (std::abs(dy) >= kRadius) continue;
    const double half = std::sqrt(kRadius * kRadius - dy * dy);
    const int left = static_cast<int>(std::ceil(kCentre - half));
    const int right = static_cast<int>(std::floor(kCentre + half)) + 1;
    if (right > left) rows.push_back(Rect{left, y, right, y + 1});
  }
  return rows;
}

void DrawIcon(gdi::Canvas& canvas, int landmarkClass) {
  const IconDesign& design = kDesigns[landmarkClass - 1];
  // The badge: a disc in the group's colour with a thin black rim, so that
  // the icon stands out on any map colour.
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, kBlack});
  canvas.SetBrush(gdi::Brush::Solid(design.badge));
  canvas.Ellipse(Rect{0, 0, kSize, kSize});
  // The pictogram stays inside the rim.
  canvas.SetClipRects(BadgeInterior());
  IconPainter painter(canvas, design.badge);
  DrawPictogram(painter, design.pictogram);
}

Point IconCorner(int landmarkClass, int scale) {
  const int column = (landmarkClass - 1) / kRows;
  const int row = (landmarkClass - 1) % kRows;
  return Point{column * kSize * scale, row * kSize * scale};
}

// A picture and its mask at one size, each with a canvas to blit from.
struct MaskedSheet {
  gdi::Bitmap mask;
  gdi::Bitmap ink;  // the picture with its key pixels turned black
  gdi::CairoCanvas maskCanvas{mask};
  gdi::CairoCanvas inkCanvas{ink};

  // The mask is white exactly where `sheet` shows the key colour; icon
  // pixels of any colour, black included, stay opaque.
  MaskedSheet(const gdi::Bitmap& sheet, int scale)
      : mask(sheet.Width() * scale, sheet.Height() * scale), ink(sheet.Width() * scale, sheet.Height() * scale) {
    for (int y = 0; y < mask.Height(); ++y) {
      for (int x = 0; x < mask.Width(); ++x) {
        const COLORREF c = sheet.Pixel(x / scale, y / scale);
        const bool key = c == kKey;
        mask.SetPixel(x, y, key ? RGB(0xFF, 0xFF, 0xFF) : kBlack);
        ink.SetPixel(x, y, key ? kBlack : c);
      }
    }
  }
};

}  // namespace

struct LandmarkIconSheet::Impl {
  gdi::Bitmap sheet{kColumns * kSize, kRows * kSize};
  std::optional<MaskedSheet> normal;
  // Enlarged sheets, made on first use: the blits copy pixel for pixel and
  // cannot stretch.
  std::map<int, MaskedSheet> enlarged;
  bool drawn = false;

  MaskedSheet* At(int scale) {
    if (scale == 1) return &*normal;
    auto it = enlarged.find(scale);
    if (it == enlarged.end()) it = enlarged.try_emplace(scale, sheet, scale).first;
    return &it->second;
  }
};

LandmarkIconSheet::LandmarkIconSheet() : impl_(std::make_unique<Impl>()) {
  Impl& impl = *impl_;
  impl.sheet.Fill(kKey);
  try {
    // Aliased drawing: an anti-aliased edge would blend into the key colour
    // and leave a coloured fringe that the mask cannot remove.
    gdi::CairoCanvas canvas(impl.sheet);
    canvas.SetAntialias(false);
    for (int k = 1; k <= kIconCount; ++k) {
      const Point corner = IconCorner(k, 1);
      const int depth = canvas.SaveState();
      canvas.SetWindowOrigin(Point{-corner.x, -corner.y});
      canvas.IntersectClipRect(Rect{0, 0, kSize, kSize});
      DrawIcon(canvas, k);
      canvas.RestoreState(depth);
    }
    impl.normal.emplace(impl.sheet, 1);
    impl.drawn = true;
  } catch (const std::exception&) {
    // Without icons the landmark names still draw.
    impl.sheet.Fill(kKey);
    impl.normal.reset();
    impl.drawn = false;
  }
  if (!impl.normal) impl.normal.emplace(impl.sheet, 1);
}

LandmarkIconSheet::~LandmarkIconSheet() = default;

void LandmarkIconSheet::Draw(gdi::Canvas& canvas, int landmarkClass, gdi::Point centre, int scale) const {
  constexpr int kLargestScale = 8;
  if (!impl_->drawn || landmarkClass < 1 || landmarkClass > kIconCount) return;
  scale = std::clamp(scale, 1, kLargestScale);
  MaskedSheet* masked = nullptr;
  try {
    masked = impl_->At(scale);
  } catch (const std::exception&) {
    return;
  }
  const int size = kSize * scale;
  const Rect dst{centre.x - size / 2, centre.y - size / 2, centre.x - size / 2 + size, centre.y - size / 2 + size};
  const Point source = IconCorner(landmarkClass, scale);
  // The mask clears the icon's pixels and keeps the rest; the icon, black
  // around its shape, is then merged into the cleared pixels.
  canvas.BitBlt(dst, masked->maskCanvas, source, gdi::Rop3::SrcAnd);
  canvas.BitBlt(dst, masked->inkCanvas, source, gdi::Rop3::SrcPaint);
}

const gdi::Bitmap& LandmarkIconSheet::Sheet() const { return impl_->sheet; }

const gdi::Bitmap& LandmarkIconSheet::Mask() const { return impl_->normal->mask; }

}  // namespace quelmar::render
