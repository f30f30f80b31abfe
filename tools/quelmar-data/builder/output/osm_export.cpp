#include "tools/quelmar-data/builder/output/osm_export.h"

#include <cstdlib>
#include <system_error>

#include "control/core/errors.h"
#include "control/data/draw_object.h"
#include "control/data/feature_code.h"
#include "control/data/name_unpack.h"
#include "platform/kernel/atomic_file.h"
#include "tools/quelmar-data/builder/output/export_drawings.h"

namespace quelmar::builder {
namespace {

using data::TMapPoint;

constexpr std::uint8_t kFirstLineCode = 8;     // codes below are areas, boundaries and labels
constexpr std::uint8_t kAccessRampCode = 93;   // A63, on "Roads:"

// The points of a line object into `points`, runs of one point kept once;
// false for objects that are no line.
bool LinePoints(const data::DrawObject& object, std::vector<TMapPoint>& points) {
  if (!data::LinePointsInto(object, points)) return false;
  std::size_t kept = 0;
  for (const TMapPoint& point : points) {
    if (kept == 0 || !(points[kept - 1] == point)) points[kept++] = point;
  }
  points.resize(kept);
  return true;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                             : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// Text as an XML attribute value. Names are stored as bytes without an
// encoding: UTF-8 stays, anything else is read as Latin-1; control
// characters, which XML cannot hold, become blanks.
void AppendAttributeText(std::string& out, std::string_view text) {
  const bool utf8 = IsUtf8(text);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '&': out += "&amp;"; continue;
      case '<': out += "&lt;"; continue;
      case '>': out += "&gt;"; continue;
      case '"': out += "&quot;"; continue;
      default: break;
    }
    if (byte < 0x20 || byte == 0x7F) {
      out += ' ';
    } else if (byte >= 0x80 && !utf8) {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    } else {
      out += c;
    }
  }
}

void AppendTag(std::string& out, std::string_view key, std::string_view value) {
  out += "    <tag k=\"";
  out += key;
  out += "\" v=\"";
  AppendAttributeText(out, value);
  out += "\"/>\n";
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view HighwayOf(std::uint8_t code, std::string_view name) {
  if (code < kFirstLineCode) return "";
  const std::uint8_t layer = data::FeatureLayer(code);
  if (layer < 9 || layer > 14) return "";
  if (code == kAccessRampCode) return "motorway_link";
  if (name.starts_with("I-")) return "motorway";
  switch (layer) {
    case 9: return "motorway";
    case 10: return "trunk";
    case 11:
    case 12: return "secondary";
    case 13: return "track";
    default: return "residential";
  }
}

std::optional<std::string> RouteRef(std::string_view name) {
  struct Prefix {
    std::string_view stored, written;
  };
  static constexpr Prefix kPrefixes[] = {{"I-", "I-"}, {"US HWY ", "US "}, {"US ", "US "}, {"SR ", "SR "}};
  name = Trimmed(name);
  for (const Prefix& prefix : kPrefixes) {
    if (!name.starts_with(prefix.stored)) continue;
    std::string_view number = name.substr(prefix.stored.size());
    number = number.substr(0, number.find(' '));
    if (number.empty() || number.front() < '0' || number.front() > '9') return std::nullopt;
    return std::string(prefix.written) + std::string(number);
  }
  return std::nullopt;
}

std::string OsmDegrees(std::int32_t units) {
  // A map unit is 0.000064°, 640 ten-millionths: the product is exact.
  const std::int64_t tenMillionths = std::int64_t{units} * 640;
  const std::int64_t magnitude = std::llabs(tenMillionths);
  std::string fraction = std::to_string(magnitude % 10'000'000);
  fraction.insert(0, 7 - fraction.size(), '0');
  return (tenMillionths < 0 ? "-" : "") + std::to_string(magnitude / 10'000'000) + "." + fraction;
}

std::int64_t OsmNetwork::NodeAt(TMapPoint point) {
  const std::uint64_t key =
      (std::uint64_t{static_cast<std::uint32_t>(point.X)} << 32) | static_cast<std::uint32_t>(point.Y);
  const auto [it, added] = nodeIds_.try_emplace(key, static_cast<std::int64_t>(nodes_.size()) + 1);
  if (added) nodes_.push_back(point);
  return it->second;
}

void OsmNetwork::AddDrawing(const data::Drawing& drawing) {
  std::string street;  // unpacked; "" when the lines are unnamed
  std::vector<TMapPoint> points;
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    const data::DrawObject& object = *drawing.ObjectAt(n);
    switch (object.Kind) {
      case data::ObjectKind::GroupMark:
      case data::ObjectKind::BlockObject: street.clear(); continue;
      case data::ObjectKind::NameRef: {
        const data::NameString* name = drawing.NameAt(object.As<data::NameRef>()->Object);
        street = name ? data::UnpackName(name->Packed) : std::string();
        continue;
      }
      default: break;
    }
    const std::string_view highway = HighwayOf(object.Code, street);
    if (highway.empty() || !LinePoints(object, points) || points.size() < 2) continue;
    Way way;
    way.highway = highway;
    const std::string_view first = Trimmed(std::string_view(street).substr(0, street.find('/')));
    way.name = std::string(first);
    // Every route of the name goes into ref, as OpenStreetMap lists them.
    for (std::size_t start = 0; start <= street.size();) {
      const std::size_t end = std::min(street.find('/', start), street.size());
      if (const std::optional<std::string> ref = RouteRef(std::string_view(street).substr(start, end - start))) {
        way.ref = way.ref ? *way.ref + ";" + *ref : *ref;
      }
      start = end + 1;
    }
    way.nodes.reserve(points.size());
    for (const TMapPoint& point : points) way.nodes.push_back(NodeAt(point));
    ways_.push_back(std::move(way));
  }
}

std::string OsmNetwork::Xml() const {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" generator=\"quelmar-data\">\n";
  if (!nodes_.empty()) {
    TMapPoint low = nodes_.front(), high = nodes_.front();
    for (const TMapPoint& point : nodes_) {
      low = {std::min(low.X, point.X), std::min(low.Y, point.Y)};
      high = {std::max(high.X, point.X), std::max(high.Y, point.Y)};
    }
    out += "  <bounds minlat=\"" + OsmDegrees(low.Y) + "\" minlon=\"" + OsmDegrees(low.X) + "\" maxlat=\"" +
           OsmDegrees(high.Y) + "\" maxlon=\"" + OsmDegrees(high.X) + "\"/>\n";
  }
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    out += "  <node id=\"" + std::to_string(i + 1) + "\" lat=\"" + OsmDegrees(nodes_[i].Y) + "\" lon=\"" +
           OsmDegrees(nodes_[i].X) + "\"/>\n";
  }
  for (std::size_t i = 0; i < ways_.size(); ++i) {
    const Way& way = ways_[i];
    out += "  <way id=\"" + std::to_string(i + 1) + "\">\n";
    for (const std::int64_t node : way.nodes) out += "    <nd ref=\"" + std::to_string(node) + "\"/>\n";
    AppendTag(out, "highway", way.highway);
    if (!way.name.empty()) AppendTag(out, "name", way.name);
    if (way.ref) AppendTag(out, "ref", *way.ref);
    out += "  </way>\n";
  }
  out += "</osm>\n";
  return out;
}

OsmExportResult ExportOsm(const OsmExportOptions& options) {
  OsmExportResult result;
  OsmNetwork network;
  result.problems = ForEachExportDrawing({options.input, options.members, options.streetVersion},
                                         [&](std::string_view, const data::Drawing& drawing) {
                                           ++result.drawings;
                                           network.AddDrawing(drawing);
                                         });
  result.nodes = network.NodeCount();
  result.ways = network.WayCount();
  if (!result.problems.empty()) return result;
  std::error_code error;
  if (!kernel::WriteFileAtomically(options.output, network.Xml(), &error)) {
    throw IoError("cannot write " + options.output.string() + ": " + error.message());
  }
  return result;
}

}  // namespace quelmar::builder
