#include "tools/quelmar-data/builder/streets/vector_tile.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <protozero/exception.hpp>
#include <protozero/pbf_reader.hpp>

#include "control/core/errors.h"

namespace quelmar::builder {

namespace {

using protozero::pbf_reader;
using protozero::pbf_wire_type;
using protozero::tag_and_type;

// Field numbers of vector_tile.proto (version 2).
constexpr std::uint32_t kTileLayer = 3;
constexpr std::uint32_t kLayerName = 1, kLayerFeature = 2, kLayerKey = 3, kLayerValue = 4, kLayerExtent = 5;
constexpr std::uint32_t kFeatureTags = 2, kFeatureType = 3, kFeatureGeometry = 4;
constexpr std::uint32_t kValueString = 1, kValueFloat = 2, kValueDouble = 3, kValueInt = 4, kValueUint = 5,
                        kValueSint = 6, kValueBool = 7;

constexpr std::uint32_t kMoveTo = 1, kLineTo = 2, kClosePath = 7;

TileValue DecodeValue(pbf_reader value) {
  TileValue decoded;
  while (value.next()) {
    switch (value.tag_and_type()) {
      case tag_and_type(kValueString, pbf_wire_type::length_delimited):
        decoded = {};
        decoded.Text = value.get_string();
        break;
      case tag_and_type(kValueFloat, pbf_wire_type::fixed32):
        decoded = {TileValue::Kind::Number, {}, value.get_float(), false};
        break;
      case tag_and_type(kValueDouble, pbf_wire_type::fixed64):
        decoded = {TileValue::Kind::Number, {}, value.get_double(), false};
        break;
      case tag_and_type(kValueInt, pbf_wire_type::varint):
        decoded = {TileValue::Kind::Number, {}, static_cast<double>(value.get_int64()), false};
        break;
      case tag_and_type(kValueUint, pbf_wire_type::varint):
        decoded = {TileValue::Kind::Number, {}, static_cast<double>(value.get_uint64()), false};
        break;
      case tag_and_type(kValueSint, pbf_wire_type::varint):
        decoded = {TileValue::Kind::Number, {}, static_cast<double>(value.get_sint64()), false};
        break;
      case tag_and_type(kValueBool, pbf_wire_type::varint):
        decoded = {TileValue::Kind::Bool, {}, 0, value.get_bool()};
        break;
      default:
        value.skip();
    }
  }
  return decoded;
}

std::int64_t ZigZag(std::uint32_t value) {
  return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

// The command stream of a feature's geometry into parts: MoveTo starts a
// part (for points, every MoveTo point goes into one part), LineTo extends
// it, ClosePath ends a ring.
std::vector<std::vector<TilePoint>> DecodeGeometry(const std::vector<std::uint32_t>& commands, TileGeometry type) {
  std::vector<std::vector<TilePoint>> parts;
  TilePoint cursor;
  std::size_t at = 0;
  while (at < commands.size()) {
    const std::uint32_t command = commands[at] & 7;
    const std::uint32_t count = commands[at] >> 3;
    ++at;
    if (command == kClosePath) {
      if (count != 1 || parts.empty()) throw DataError("vector tile: a ClosePath command out of place");
      continue;
    }
    if (command != kMoveTo && command != kLineTo) throw DataError("vector tile: unknown geometry command");
    if (count > (commands.size() - at) / 2) throw DataError("vector tile: geometry command runs past its data");
    if (command == kMoveTo && (type != TileGeometry::Point || parts.empty())) parts.emplace_back();
    if (command == kLineTo && parts.empty()) throw DataError("vector tile: LineTo before MoveTo");
    for (std::uint32_t i = 0; i < count; ++i) {
      cursor.X += ZigZag(commands[at++]);
      cursor.Y += ZigZag(commands[at++]);
      if (command == kMoveTo && type != TileGeometry::Point && i > 0) parts.emplace_back();
      parts.back().push_back(cursor);
    }
  }
  return parts;
}

TileFeature DecodeFeature(pbf_reader feature, const std::vector<std::string>& keys,
                          const std::vector<TileValue>& values) {
  TileFeature decoded;
  std::vector<std::uint32_t> tags;
  std::vector<std::uint32_t> commands;
  while (feature.next()) {
    switch (feature.tag_and_type()) {
      case tag_and_type(kFeatureTags, pbf_wire_type::length_delimited): {
        const auto range = feature.get_packed_uint32();
        tags.assign(range.begin(), range.end());
        break;
      }
      case tag_and_type(kFeatureType, pbf_wire_type::varint): {
        const std::uint32_t type = feature.get_uint32();
        decoded.Type = type <= 3 ? static_cast<TileGeometry>(type) : TileGeometry::Unknown;
        break;
      }
      case tag_and_type(kFeatureGeometry, pbf_wire_type::length_delimited): {
        const auto range = feature.get_packed_uint32();
        commands.assign(range.begin(), range.end());
        break;
      }
      default:
        feature.skip();
    }
  }
  if (tags.size() % 2 != 0) throw DataError("vector tile: a feature has an odd number of tag indexes");
  for (std::size_t i = 0; i < tags.size(); i += 2) {
    if (tags[i] >= keys.size() || tags[i + 1] >= values.size()) {
      throw DataError("vector tile: a feature tag names a key or value the layer does not have");
    }
    decoded.Tags.emplace_back(keys[tags[i]], values[tags[i + 1]]);
  }
  decoded.Parts = DecodeGeometry(commands, decoded.Type);
  return decoded;
}

std::optional<TileLayer> DecodeLayer(pbf_reader layer, const std::vector<std::string_view>& wanted) {
  TileLayer decoded;
  std::vector<std::string> keys;
  std::vector<TileValue> values;
  std::vector<protozero::data_view> features;
  while (layer.next()) {
    switch (layer.tag_and_type()) {
      case tag_and_type(kLayerName, pbf_wire_type::length_delimited):
        decoded.Name = layer.get_string();
        break;
      case tag_and_type(kLayerFeature, pbf_wire_type::length_delimited):
        features.push_back(layer.get_view());
        break;
      case tag_and_type(kLayerKey, pbf_wire_type::length_delimited):
        keys.push_back(layer.get_string());
        break;
      case tag_and_type(kLayerValue, pbf_wire_type::length_delimited):
        values.push_back(DecodeValue(layer.get_message()));
        break;
      case tag_and_type(kLayerExtent, pbf_wire_type::varint):
        decoded.Extent = layer.get_uint32();
        break;
      default:
        layer.skip();
    }
  }
  if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), decoded.Name) == wanted.end()) return std::nullopt;
  if (decoded.Extent == 0) throw DataError("vector tile: layer '" + decoded.Name + "' has an extent of 0");
  decoded.Features.reserve(features.size());
  for (const protozero::data_view& feature : features) {
    decoded.Features.push_back(DecodeFeature(pbf_reader(feature), keys, values));
  }
  return decoded;
}

}  // namespace

bool TileValue::IsTrue() const {
  switch (Is) {
    case Kind::Text:
      return Text == "true" || Text == "yes" || Text == "1";
    case Kind::Number:
      return Number != 0;
    case Kind::Bool:
      return Flag;
  }
  return false;
}

const TileValue* TileFeature::Find(std::string_view key) const {
  for (const auto& [name, value] : Tags) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::string_view TileFeature::TextOf(std::string_view key) const {
  const TileValue* value = Find(key);
  return value != nullptr && value->Is == TileValue::Kind::Text ? std::string_view(value->Text) : std::string_view{};
}

std::vector<TileLayer> DecodeVectorTile(std::string_view bytes, const std::vector<std::string_view>& wanted) {
  std::vector<TileLayer> layers;
  try {
    pbf_reader tile(bytes.data(), bytes.size());
    while (tile.next()) {
      if (tile.tag_and_type() == tag_and_type(kTileLayer, pbf_wire_type::length_delimited)) {
        if (std::optional<TileLayer> layer = DecodeLayer(tile.get_message(), wanted)) {
          layers.push_back(std::move(*layer));
        }
      } else {
        tile.skip();
      }
    }
  } catch (const protozero::exception& error) {
    throw DataError(std::string("vector tile: malformed protobuf data (") + error.what() + ")");
  }
  return layers;
}

}  // namespace quelmar::builder
