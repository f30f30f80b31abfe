#pragma once
// Streets from an OpenStreetMap editor's JSON graph: one object whose members
// are entities keyed by id — nodes ("n1": {"loc": [lon, lat], "tags": {...}}),
// ways ("w1": {"nodes": ["n1", ...], "tags": {...}}) and relations, which are
// not used. Roads come from highway tags, address points from
// addr:housenumber with addr:street, landmarks from named parks and water.
#include <filesystem>
#include <optional>
#include <string_view>

#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

// `area` keeps the nodes inside it (and the ways that still have two of
// them). Nodes a way names that the graph lacks are skipped. Throws
// quelmar::DataError for text that is not such a graph (bad JSON, a node
// without a usable loc, a way whose nodes are not a list of ids).
RawStreets ParseEditorGraph(std::string_view json, const std::optional<GeoBox>& area = std::nullopt);

// As ParseEditorGraph on a file; quelmar::IoError when it cannot be read.
RawStreets ReadEditorGraph(const std::filesystem::path& file, const std::optional<GeoBox>& area = std::nullopt);

}  // namespace quelmar::builder
