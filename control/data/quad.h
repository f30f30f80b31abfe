#pragma once
// Quads: the cells of the fixed grids the map data is cut into, and their
// names. A name is the grid's prefix letter, then the column and the row as
// two base-36 digits each ("0"-"9", "A"-"Z"), so both run 0..1295.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/map_units.h"
#include "control/data/map_box.h"

namespace quelmar::data {

enum class QuadGrid {
  Street,    // "Y": street data per state
  Extra,     // "Q": extra overview data
  Network,   // "G": highway network overlay (rows shifted by 90°)
  Overview,  // "M": water, states, cities, airports, counties
  Land,      // "U": landmarks
  National,  // "Z": national detail layer
};

struct QuadGridInfo {
  char Prefix = 0;
  std::int32_t Cell = 0;  // map units
  bool Shifted = false;   // rows counted from 90° S instead of the equator
};

constexpr QuadGridInfo GridInfo(QuadGrid grid) {
  switch (grid) {
    case QuadGrid::Street: return {'Y', 5000, false};
    case QuadGrid::Extra: return {'Q', 312500, false};
    case QuadGrid::Network: return {'G', 30000, true};
    case QuadGrid::Overview: return {'M', 78125, false};
    case QuadGrid::Land: return {'U', 12480, false};
    case QuadGrid::National: return {'Z', 20000, false};
  }
  return {};
}

inline constexpr std::int32_t kQuadColumnOrigin = 2812500;  // 180° in map units
inline constexpr std::int32_t kQuadRowShift = 1406250;      // 90°, shifted grids only
inline constexpr int kQuadIndexMax = 1295;                  // "ZZ"
inline constexpr std::size_t kQuadNameLength = 5;

struct Quad {
  QuadGrid Grid = QuadGrid::Street;
  int Column = 0;
  int Row = 0;
  friend bool operator==(const Quad&, const Quad&) = default;
};

constexpr bool IsQuadIndex(int index) { return index >= 0 && index <= kQuadIndexMax; }

// The value of one base-36 digit (either case), or -1.
constexpr int Base36Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

// The value of the two base-36 digits at text[0..1], or -1 when either is
// no digit. `text` must hold at least two characters.
constexpr int Base36Pair(std::string_view text) {
  const int high = Base36Digit(text[0]);
  const int low = Base36Digit(text[1]);
  return high < 0 || low < 0 ? -1 : high * 36 + low;
}

// The quad of `grid` holding `point`. Column and row are truncated toward
// zero, so points less than one cell west of 180° W (or south of the
// row origin) still fall in column (row) 0. Nullopt when either lies
// outside 0..1295.
std::optional<Quad> QuadAt(QuadGrid grid, core::TMapPoint point);

// The quads of a view: every column and row from those of the lower-left
// corner to those of the upper-right corner, cut to the grid.
struct QuadRange {
  QuadGrid Grid = QuadGrid::Street;
  int FirstColumn = 0;
  int FirstRow = 0;
  int LastColumn = 0;
  int LastRow = 0;
  std::int64_t Count() const {
    return std::int64_t{LastColumn - FirstColumn + 1} * (LastRow - FirstRow + 1);
  }
};

// Nullopt when the view is inverted or lies wholly outside the grid.
std::optional<QuadRange> QuadsOfView(QuadGrid grid, core::TMapPoint lowerLeft, core::TMapPoint upperRight);

// The quads of `range`, column by column, each column from south to north.
std::vector<Quad> ListQuads(const QuadRange& range);

// The cell of `quad`: from its west and south edges to the next cell's,
// closed. Nullopt when column or row is invalid.
std::optional<MapBox> QuadBox(const Quad& quad);

// Sub-quad `sub` (1 lower-left, 2 lower-right, 3 upper-left, 4 upper-right;
// 0 the whole cell) of `quad`. Nullopt for another `sub` or invalid quad.
std::optional<MapBox> SubQuadBox(const Quad& quad, int sub);

// The five-character name, e.g. "Y7O37"; "" when column or row is invalid.
std::string QuadName(const Quad& quad);

// The quad named `name` (prefix and digits in either case). Nullopt unless
// it is exactly five characters: a grid prefix and two digit pairs.
std::optional<Quad> ParseQuadName(std::string_view name);

// Street quads are stored in state archives as members named quad name +
// sub-quad digit (0..4) + two-digit state archive code, e.g. "Y7O37117".
inline constexpr std::size_t kStreetMemberNameLength = 8;

struct StreetMember {
  Quad Street;
  int Sub = 0;    // 0 whole quad, 1..4 quarter
  int State = 0;  // state archive code, 0..99
  friend bool operator==(const StreetMember&, const StreetMember&) = default;
};

// "" unless `member` is a valid street quad with sub 0..4 and state 0..99.
std::string StreetMemberName(const StreetMember& member);

// Nullopt unless `name` is exactly a street member name as above.
std::optional<StreetMember> ParseStreetMemberName(std::string_view name);

}  // namespace quelmar::data
