#include "control/data/quad.h"

namespace quelmar::data {
namespace {

constexpr char kBase36Digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

constexpr QuadGrid kGrids[] = {QuadGrid::Street,   QuadGrid::Extra, QuadGrid::Network,
                               QuadGrid::Overview, QuadGrid::Land,  QuadGrid::National};

// Offsets are added in 64 bits so that any int32 coordinate is safe.
std::int64_t ColumnOf(QuadGrid grid, std::int32_t x) {
  return (std::int64_t{x} + kQuadColumnOrigin) / GridInfo(grid).Cell;
}

std::int64_t RowOf(QuadGrid grid, std::int32_t y) {
  const QuadGridInfo info = GridInfo(grid);
  return (std::int64_t{y} + (info.Shifted ? kQuadRowShift : 0)) / info.Cell;
}

bool InGrid(std::int64_t index) { return index >= 0 && index <= kQuadIndexMax; }

// A grid value outside the enumeration has cell 0 and names no quads.
bool IsGrid(QuadGrid grid) { return GridInfo(grid).Cell > 0; }

bool IsValid(const Quad& quad) { return IsGrid(quad.Grid) && IsQuadIndex(quad.Column) && IsQuadIndex(quad.Row); }

void AppendPair(std::string& out, int value) {
  out += kBase36Digits[value / 36];
  out += kBase36Digits[value % 36];
}

std::optional<QuadGrid> GridOfPrefix(char prefix) {
  if (prefix >= 'a' && prefix <= 'z') prefix = static_cast<char>(prefix - 'a' + 'A');
  for (QuadGrid grid : kGrids) {
    if (GridInfo(grid).Prefix == prefix) return grid;
  }
  return std::nullopt;
}

int DecimalPair(std::string_view text) {
  const auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : -1; };
  const int high = digit(text[0]);
  const int low = digit(text[1]);
  return high < 0 || low < 0 ? -1 : high * 10 + low;
}

}  // namespace

std::optional<Quad> QuadAt(QuadGrid grid, core::TMapPoint point) {
  if (!IsGrid(grid)) return std::nullopt;
  const std::int64_t column = ColumnOf(grid, point.X);
  const std::int64_t row = RowOf(grid, point.Y);
  if (!InGrid(column) || !InGrid(row)) return std::nullopt;
  return Quad{grid, static_cast<int>(column), static_cast<int>(row)};
}

std::optional<QuadRange> QuadsOfView(QuadGrid grid, core::TMapPoint lowerLeft, core::TMapPoint upperRight) {
  if (!IsGrid(grid)) return std::nullopt;
  const std::int64_t firstColumn = ColumnOf(grid, lowerLeft.X);
  const std::int64_t lastColumn = ColumnOf(grid, upperRight.X);
  const std::int64_t firstRow = RowOf(grid, lowerLeft.Y);
  const std::int64_t lastRow = RowOf(grid, upperRight.Y);
  if (firstColumn > lastColumn || firstRow > lastRow) return std::nullopt;
  if (lastColumn < 0 || firstColumn > kQuadIndexMax || lastRow < 0 || firstRow > kQuadIndexMax) return std::nullopt;
  const auto cut = [](std::int64_t index) {
    return static_cast<int>(index < 0 ? 0 : index > kQuadIndexMax ? kQuadIndexMax : index);
  };
  return QuadRange{grid, cut(firstColumn), cut(firstRow), cut(lastColumn), cut(lastRow)};
}

std::vector<Quad> ListQuads(const QuadRange& range) {
  std::vector<Quad> quads;
  if (range.Count() > 0) quads.reserve(static_cast<std::size_t>(range.Count()));
  for (int column = range.FirstColumn; column <= range.LastColumn; ++column) {
    for (int row = range.FirstRow; row <= range.LastRow; ++row) quads.push_back({range.Grid, column, row});
  }
  return quads;
}

std::optional<MapBox> QuadBox(const Quad& quad) {
  if (!IsValid(quad)) return std::nullopt;
  const QuadGridInfo info = GridInfo(quad.Grid);
  const std::int32_t left = quad.Column * info.Cell - kQuadColumnOrigin;
  const std::int32_t bottom = quad.Row * info.Cell - (info.Shifted ? kQuadRowShift : 0);
  return MapBox{left, bottom, left + info.Cell, bottom + info.Cell};
}

std::optional<MapBox> SubQuadBox(const Quad& quad, int sub) {
  const std::optional<MapBox> whole = QuadBox(quad);
  if (!whole || sub < 0 || sub > 4) return std::nullopt;
  if (sub == 0) return whole;
  const MapBox box = *whole;
  const std::int32_t half = GridInfo(quad.Grid).Cell / 2;
  const bool east = sub == 2 || sub == 4;
  const bool north = sub == 3 || sub == 4;
  const std::int32_t left = east ? box.Left + half : box.Left;
  const std::int32_t bottom = north ? box.Bottom + half : box.Bottom;
  return MapBox{left, bottom, left + half, bottom + half};
}

std::string QuadName(const Quad& quad) {
  if (!IsValid(quad)) return {};
  std::string name(1, GridInfo(quad.Grid).Prefix);
  AppendPair(name, quad.Column);
  AppendPair(name, quad.Row);
  return name;
}

std::optional<Quad> ParseQuadName(std::string_view name) {
  if (name.size() != kQuadNameLength) return std::nullopt;
  const std::optional<QuadGrid> grid = GridOfPrefix(name[0]);
  const int column = Base36Pair(name.substr(1, 2));
  const int row = Base36Pair(name.substr(3, 2));
  if (!grid || column < 0 || row < 0) return std::nullopt;
  return Quad{*grid, column, row};
}

std::string StreetMemberName(const StreetMember& member) {
  if (member.Street.Grid != QuadGrid::Street || !IsValid(member.Street)) return {};
  if (member.Sub < 0 || member.Sub > 4 || member.State < 0 || member.State > 99) return {};
  std::string name = QuadName(member.Street);
  name += static_cast<char>('0' + member.Sub);
  name += static_cast<char>('0' + member.State / 10);
  name += static_cast<char>('0' + member.State % 10);
  return name;
}

std::optional<StreetMember> ParseStreetMemberName(std::string_view name) {
  if (name.size() != kStreetMemberNameLength) return std::nullopt;
  const std::optional<Quad> quad = ParseQuadName(name.substr(0, kQuadNameLength));
  if (!quad || quad->Grid != QuadGrid::Street) return std::nullopt;
  const char sub = name[5];
  const int state = DecimalPair(name.substr(6, 2));
  if (sub < '0' || sub > '4' || state < 0) return std::nullopt;
  return StreetMember{*quad, sub - '0', state};
}

}  // namespace quelmar::data
