#include "tools/quelmar-data/builder/inputs/gazetteer.h"

#include <cmath>
#include <optional>

#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"
#include "tools/quelmar-data/builder/inputs/text_fields.h"

namespace quelmar::builder {
namespace {

std::optional<GazetteerKind> KindOfCode(std::string_view digits) {
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  switch (digits.size()) {
    case 5:
      return GazetteerKind::County;
    case 7:
      return GazetteerKind::Place;
    case 10:
      return GazetteerKind::CountySubdivision;
    default:
      return std::nullopt;
  }
}

// "(0.5677946, -1.5122657)": latitude and longitude in radians.
std::optional<LonLat> ParseCentroid(std::string_view value) {
  if (value.size() < 2 || value.front() != '(' || value.back() != ')') return std::nullopt;
  value = value.substr(1, value.size() - 2);
  const std::size_t comma = value.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<double> lat = ParseDouble(Trimmed(value.substr(0, comma)));
  const std::optional<double> lon = ParseDouble(Trimmed(value.substr(comma + 1)));
  if (!lat || !lon) return std::nullopt;
  const LonLat at{*lon * core::kDegreesPerRadian, *lat * core::kDegreesPerRadian};
  if (std::fabs(at.Lon) > 180.0 || std::fabs(at.Lat) > 90.0) return std::nullopt;
  return at;
}

struct Section {
  std::string Code;
  GazetteerKind Kind = GazetteerKind::Place;
  std::optional<LonLat> At;
  std::string Description;
  std::size_t DescriptionLine = 0;
};

void Finish(std::optional<Section>& section, std::vector<GazetteerEntry>& out) {
  if (!section || !section->At || section->Description.empty()) return;
  const std::size_t comma = section->Description.rfind(", ");
  const std::string_view state =
      comma == std::string::npos ? std::string_view() : std::string_view(section->Description).substr(comma + 2);
  if (comma == 0 || state.size() != 2) {
    throw DataError("gazetteer line " + std::to_string(section->DescriptionLine) +
                    ": description is not \"Name, ST\": " + section->Description);
  }
  GazetteerEntry entry;
  entry.Code = section->Code;
  entry.Kind = section->Kind;
  entry.StateFips = (section->Code[0] - '0') * 10 + (section->Code[1] - '0');
  entry.Name = section->Description.substr(0, comma);
  entry.StateCode = std::string(state);
  entry.At = *section->At;
  out.push_back(std::move(entry));
}

}  // namespace

std::vector<GazetteerEntry> ParseGazetteer(std::string_view text) {
  std::vector<GazetteerEntry> entries;
  std::optional<Section> section;  // the fips section being read, if any
  std::size_t lineNumber = 0;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string_view line = Trimmed(NextLine(rest));
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      Finish(section, entries);
      section.reset();
      if (line.size() >= 7 && line.back() == ']' && line.substr(1, 4) == "fips") {
        const std::string_view digits = line.substr(5, line.size() - 6);
        if (const std::optional<GazetteerKind> kind = KindOfCode(digits)) {
          section = Section{std::string(digits), *kind, std::nullopt, "", 0};
        }
      }
      continue;
    }
    if (!section) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    if (key == "centroid") {
      section->At = ParseCentroid(value);
      if (!section->At) throw DataError("gazetteer line " + std::to_string(lineNumber) + ": bad centroid");
    } else if (key == "description") {
      section->Description = std::string(value);
      section->DescriptionLine = lineNumber;
    }
  }
  Finish(section, entries);
  return entries;
}

std::vector<GazetteerEntry> ReadGazetteer(const std::filesystem::path& file) {
  const std::string text = ReadGzipFile(file);
  try {
    return ParseGazetteer(text);
  } catch (const DataError& error) {
    throw DataError(file.string() + ": " + error.what());
  }
}

}  // namespace quelmar::builder
