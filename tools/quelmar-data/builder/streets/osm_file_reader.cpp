#include "tools/quelmar-data/builder/streets/osm_file_reader.h"

#include <exception>
#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/visitor.hpp>
#include <system_error>
#include <utility>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/osm_tags.h"
#include "tools/quelmar-data/builder/streets/pbf_check.h"

namespace quelmar::builder {

namespace {

using LocationIndex = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
using LocationHandler = osmium::handler::NodeLocationsForWays<LocationIndex>;

OsmTags TagsOf(const osmium::TagList& tags) {
  return [&tags](std::string_view key) -> std::string_view {
    const std::string zeroTerminated(key);
    const char* value = tags.get_value_by_key(zeroTerminated.c_str());
    return value == nullptr ? std::string_view{} : std::string_view(value);
  };
}

class StreetHandler : public osmium::handler::Handler {
 public:
  StreetHandler(RawStreets& into, const std::optional<GeoBox>& area) : into_(into), area_(area) {}

  void node(const osmium::Node& node) {
    if (node.tags().empty()) return;
    if (const std::optional<TMapPoint> at = Position(node.location())) AddOsmNode(TagsOf(node.tags()), *at, into_);
  }

  void way(const osmium::Way& way) {
    // Runs of nodes with a known position inside the area.
    std::vector<Line> runs(1);
    for (const osmium::NodeRef& ref : way.nodes()) {
      if (const std::optional<TMapPoint> at = Position(ref.location())) {
        runs.back().push_back(*at);
      } else if (!runs.back().empty()) {
        runs.emplace_back();
      }
    }
    const OsmTags tags = TagsOf(way.tags());
    for (Line& run : runs) {
      if (!run.empty()) AddOsmWay(tags, std::move(run), into_);
    }
  }

 private:
  std::optional<TMapPoint> Position(const osmium::Location& location) const {
    if (!location.valid()) return std::nullopt;  // missing from the file, or off the globe
    const double lon = location.lon_without_check();
    const double lat = location.lat_without_check();
    if (area_ && !area_->Contains(lon, lat)) return std::nullopt;
    return ToMapUnits(lon, lat);
  }

  RawStreets& into_;
  const std::optional<GeoBox>& area_;
};

RawStreets Read(const osmium::io::File& input, const std::string& what, const std::optional<GeoBox>& area) {
  RawStreets streets;
  try {
    osmium::io::Reader reader{input, osmium::osm_entity_bits::node | osmium::osm_entity_bits::way};
    LocationIndex index;
    LocationHandler locations{index};
    locations.ignore_errors();
    StreetHandler handler{streets, area};
    osmium::apply(reader, locations, handler);
    reader.close();
  } catch (const Error&) {
    throw;
  } catch (const std::system_error& error) {
    throw IoError(what + ": " + error.what());
  } catch (const std::exception& error) {
    throw DataError(what + ": " + error.what());
  }
  return streets;
}

// PBF is framed in blobs whose sizes libosmium's threads would take as
// given: the framing is checked first (pbf_check.h).
bool IsPlainPbf(const osmium::io::File& input) {
  return input.format() == osmium::io::file_format::pbf && input.compression() == osmium::io::file_compression::none;
}

}  // namespace

RawStreets ReadOsmFile(const std::filesystem::path& file, const std::optional<GeoBox>& area) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) throw IoError("no such OSM file: " + file.string());
  const osmium::io::File input(file.string());
  if (IsPlainPbf(input)) CheckPbfFile(file);
  return Read(input, file.string(), area);
}

RawStreets ReadOsmData(std::string_view data, const std::string& format, const std::optional<GeoBox>& area) {
  const osmium::io::File input(data.data(), data.size(), format);
  if (IsPlainPbf(input)) CheckPbfFraming(data, "OSM data");
  return Read(input, "OSM data", area);
}

}  // namespace quelmar::builder
