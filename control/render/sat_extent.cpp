#include "control/render/sat_extent.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "control/data/data_path.h"
#include "platform/kernel/number_text.h"

namespace quelmar::render {
namespace {

bool KeptInCoordinate(char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == ':'; }

double ParsePart(std::string_view part, std::string_view field) {
  double value = 0;
  if (part.empty() || kernel::ParseDouble(part, &value) != kernel::NumberParse::Ok) {
    throw DataError("underlay extent coordinate \"" + std::string(field) + "\" is not a number");
  }
  return value;
}

std::int32_t ToMapUnits(double degrees, std::string_view field) {
  bool overflow = false;
  const std::int32_t units = core::DegreesToUnits(degrees, overflow);
  if (overflow) throw DataError("underlay extent coordinate \"" + std::string(field) + "\" is out of range");
  return units;
}

}  // namespace

double ParseExtentCoordinate(std::string_view field) {
  std::string kept;
  for (char c : field) {
    if (KeptInCoordinate(c)) kept.push_back(c);
  }
  std::vector<std::string_view> parts;
  std::string_view rest = kept;
  while (true) {
    const std::size_t colon = rest.find(':');
    parts.push_back(rest.substr(0, colon));
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  if (parts.size() > 3) {
    throw DataError("underlay extent coordinate \"" + std::string(field) + "\" has more than degrees:minutes:seconds");
  }
  double magnitude = 0;
  double unit = 1;
  for (std::string_view part : parts) {
    magnitude += std::abs(ParsePart(part, field)) / unit;
    unit *= 60;
  }
  return !kept.empty() && kept.front() == '-' ? -magnitude : magnitude;
}

core::MapRect ParseExtentLine(std::string_view text) {
  std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  line = line.substr(0, kExtentLineLength);
  if (!line.empty() && line.front() == '*') line.remove_prefix(1);

  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  if (fields.size() < 4) {
    throw DataError("underlay extent line holds " + std::to_string(fields.size()) + " coordinates, not 4");
  }
  std::int32_t values[4];
  for (int i = 0; i < 4; ++i) values[i] = ToMapUnits(ParseExtentCoordinate(fields[i]), fields[i]);
  core::MapRect extent{values[0], values[1], values[2], values[3]};
  if (extent.x1 > extent.x2) std::swap(extent.x1, extent.x2);
  if (extent.y1 < extent.y2) std::swap(extent.y1, extent.y2);
  return extent;
}

std::filesystem::path ExtentFilePath(const std::filesystem::path& imagePath) {
  const std::string name = imagePath.filename().string();
  return imagePath.parent_path() / (name.substr(0, name.find('.')) + ".sat");
}

core::MapRect ReadExtentFile(const std::filesystem::path& imagePath) {
  const std::filesystem::path wanted = ExtentFilePath(imagePath);
  const auto found = data::ResolveDataFile(wanted.parent_path().string(), wanted.filename().string());
  if (!found) throw IoError("underlay extent file \"" + wanted.string() + "\" does not exist");
  std::ifstream in(*found, std::ios::binary);
  if (!in.is_open()) throw IoError("cannot open underlay extent file \"" + found->string() + "\"");
  std::string line(kExtentLineLength, '\0');
  in.read(line.data(), static_cast<std::streamsize>(line.size()));
  if (in.bad()) throw IoError("cannot read underlay extent file \"" + found->string() + "\"");
  line.resize(static_cast<std::size_t>(in.gcount()));
  return ParseExtentLine(line);
}

}  // namespace quelmar::render
