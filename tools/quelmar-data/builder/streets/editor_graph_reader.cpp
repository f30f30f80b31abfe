#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/json_text.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"
#include "tools/quelmar-data/builder/streets/osm_tags.h"

namespace quelmar::builder {

namespace {

using nlohmann::json;

OsmTags TagsOf(const json& entity) {
  const auto found = entity.find("tags");
  const json* tags = found != entity.end() && found->is_object() ? &*found : nullptr;
  return [tags](std::string_view key) -> std::string_view {
    if (tags == nullptr) return {};
    const auto value = tags->find(key);
    if (value == tags->end() || !value->is_string()) return {};
    return value->get_ref<const std::string&>();
  };
}

// The node's position, or nullopt when it lies outside `area`.
std::optional<TMapPoint> NodePosition(const std::string& id, const json& node, const std::optional<GeoBox>& area) {
  const auto loc = node.find("loc");
  if (loc == node.end() || !loc->is_array() || loc->size() != 2 || !(*loc)[0].is_number() || !(*loc)[1].is_number()) {
    throw DataError("editor graph: node " + id + " has no [lon, lat] loc");
  }
  const double lon = (*loc)[0].get<double>();
  const double lat = (*loc)[1].get<double>();
  if (!std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lon) > 180 || std::fabs(lat) > 90) {
    throw DataError("editor graph: node " + id + " lies off the globe");
  }
  if (area && !area->Contains(lon, lat)) return std::nullopt;
  return ToMapUnits(lon, lat);
}

}  // namespace

RawStreets ParseEditorGraph(std::string_view text, const std::optional<GeoBox>& area) {
  const json graph = ParseJsonText(text, "editor graph");
  if (!graph.is_object()) throw DataError("editor graph: the graph is not a JSON object of entities");

  RawStreets streets;
  std::unordered_map<std::string, TMapPoint> nodes;
  // Nodes first (members are in key order, not in dependency order).
  for (const auto& [id, entity] : graph.items()) {
    if (!entity.is_object()) throw DataError("editor graph: entity " + id + " is not an object");
    if (id.empty() || id[0] != 'n') continue;
    if (const std::optional<TMapPoint> at = NodePosition(id, entity, area)) {
      nodes.emplace(id, *at);
      AddOsmNode(TagsOf(entity), *at, streets);
    }
  }
  for (const auto& [id, entity] : graph.items()) {
    if (id.empty() || id[0] != 'w') continue;
    const auto members = entity.find("nodes");
    if (members == entity.end() || !members->is_array())
      throw DataError("editor graph: way " + id + " has no node list");
    // Runs of nodes the graph has (inside the area): a way that leaves the
    // area and comes back must not jump the gap.
    std::vector<Line> runs(1);
    for (const json& member : *members) {
      if (!member.is_string()) throw DataError("editor graph: way " + id + " names a node that is not an id");
      const auto node = nodes.find(member.get_ref<const std::string&>());
      if (node != nodes.end()) {
        runs.back().push_back(node->second);
      } else if (!runs.back().empty()) {
        runs.emplace_back();
      }
    }
    for (Line& run : runs) {
      if (!run.empty()) AddOsmWay(TagsOf(entity), std::move(run), streets);
    }
  }
  return streets;
}

RawStreets ReadEditorGraph(const std::filesystem::path& file, const std::optional<GeoBox>& area) {
  const std::string text = ReadFileBytes(file);
  try {
    return ParseEditorGraph(text, area);
  } catch (const DataError& error) {
    throw DataError(file.string() + ": " + error.what());
  }
}

}  // namespace quelmar::builder
