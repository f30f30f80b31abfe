#include "tools/quelmar-data/builder/output/line_records.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "tools/quelmar-data/builder/output/geometry.h"

namespace quelmar::builder {
namespace {

constexpr std::int64_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();

bool FitsInt16(std::int64_t v) { return v >= kInt16Min && v <= kInt16Max; }
bool FitsByteStep(std::int64_t d) { return d >= -127 && d <= 128; }

// The line with every step longer than 16 bits broken into equal parts.
Line WithShortSteps(const Line& line) {
  Line out{line.front()};
  for (std::size_t i = 1; i < line.size(); ++i) {
    const std::int64_t dx = std::int64_t{line[i].X} - line[i - 1].X;
    const std::int64_t dy = std::int64_t{line[i].Y} - line[i - 1].Y;
    const std::int64_t parts = std::max(std::abs(dx), std::abs(dy)) / kInt16Max + 1;
    for (std::int64_t k = 1; k < parts; ++k) {
      out.push_back({static_cast<std::int32_t>(line[i - 1].X + dx * k / parts),
                     static_cast<std::int32_t>(line[i - 1].Y + dy * k / parts)});
    }
    out.push_back(line[i]);
  }
  return out;
}

data::ObjectKind KindFor(const Line& line) {
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (!FitsByteStep(std::int64_t{line[i].X} - line[i - 1].X) ||
        !FitsByteStep(std::int64_t{line[i].Y} - line[i - 1].Y)) {
      return data::ObjectKind::Polyline13;
    }
  }
  return data::ObjectKind::Polyline14;
}

}  // namespace

data::AttributeCoding SmallestCoding(const data::Attributes& a) {
  if (a.Low == 0 && a.Span == 0 && a.Index == 0) return data::AttributeCoding::None;
  const std::int64_t high = std::int64_t{a.Low} + a.Span;
  if (FitsInt16(a.Low) && a.Span >= -127 && a.Span <= 128) return data::AttributeCoding::Packed;
  if (FitsInt16(a.Low) && FitsInt16(high)) return data::AttributeCoding::Short;
  return data::AttributeCoding::Long;
}

void WriteLine(data::DrawingWriter& writer, const Line& line, const data::Attributes& attributes,
               std::optional<TMapPoint> relativeBase) {
  if (line.size() < 2) return;
  const data::AttributeCoding coding = SmallestCoding(attributes);
  for (const Line& piece : SplitLine(WithShortSteps(line), kMaxRecordPoints)) {
    const TMapPoint start = piece.front();
    const bool relative = relativeBase && FitsInt16(std::int64_t{start.X} - relativeBase->X) &&
                          FitsInt16(std::int64_t{start.Y} - relativeBase->Y);
    const Line vertices(piece.begin() + 1, piece.end());
    writer.Polyline(KindFor(piece), coding, relative ? data::PointCoding::Relative : data::PointCoding::Absolute,
                    attributes, start, vertices);
  }
}

}  // namespace quelmar::builder
