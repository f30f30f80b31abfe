#include "control/routing/route_files.h"

#include <charconv>
#include <cstdio>

#include "control/core/errors.h"
#include "control/data/data_path.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::routing {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A whole decimal integer (optional sign), nothing else.
bool Integer(std::string_view s, std::int64_t& value) {
  s = Trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size() && !s.empty();
}

bool PointOf(std::string_view line, core::TMapPoint& point) {
  line = Trim(line);
  std::size_t split = line.find(' ');
  if (split == std::string_view::npos) split = line.find(',');
  if (split == std::string_view::npos) return false;
  std::int64_t x = 0, y = 0;
  std::string_view second = Trim(line.substr(split + 1));
  if (!second.empty() && second.front() == ',') second.remove_prefix(1);
  if (!Integer(line.substr(0, split), x) || !Integer(second, y)) return false;
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return false;
  point = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
  return true;
}

}  // namespace

std::vector<RouteHistoryEntry> ParseRouteHistory(std::string_view text) {
  std::vector<RouteHistoryEntry> entries;
  for (std::string_view line : Lines(text)) {
    RouteHistoryEntry entry;
    const std::size_t first = line.find('\t');
    entry.Description = std::string(line.substr(0, first));
    if (first != std::string_view::npos) {
      const std::string_view rest = line.substr(first + 1);
      const std::size_t second = rest.find('\t');
      entry.Start = std::string(rest.substr(0, second));
      if (second != std::string_view::npos) entry.Finish = std::string(rest.substr(second + 1));
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string RouteHistoryText(const std::vector<RouteHistoryEntry>& entries) {
  std::string text;
  for (const RouteHistoryEntry& e : entries) text += e.Description + '\t' + e.Start + '\t' + e.Finish + "\r\n";
  return text;
}

std::filesystem::path HistoryFileName(const std::filesystem::path& name) {
  if (name.filename().string().find('.') != std::string::npos) return name;
  std::filesystem::path withExtension = name;
  withExtension += ".hst";
  return withExtension;
}

std::vector<RouteHistoryEntry> LoadRouteHistory(const std::filesystem::path& path) {
  std::string text;
  std::error_code error;
  if (!kernel::ReadWholeFile(path, &text, &error)) {
    throw IoError("Cannot read the route history \"" + path.string() + "\": " + error.message());
  }
  return ParseRouteHistory(text);
}

void SaveRouteHistory(const std::filesystem::path& path, const std::vector<RouteHistoryEntry>& entries) {
  std::error_code error;
  if (!kernel::WriteFileAtomically(path, RouteHistoryText(entries), &error)) {
    throw IoError("Cannot write the route history \"" + path.string() + "\": " + error.message());
  }
}

UserRoadFile ParseUserRoads(std::string_view text) {
  UserRoadFile file;
  const std::vector<std::string_view> lines = Lines(text);
  const auto stop = [&file](std::size_t line) {
    file.Complete = false;
    file.StoppedAtLine = line + 1;
    return file;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t pline = lines[i].find("Pline");
    if (pline == std::string_view::npos) continue;
    const std::size_t record = i;
    std::int64_t count = 0;
    if (!Integer(lines[i].substr(pline + 5), count) || count < 0 ||
        count > static_cast<std::int64_t>(kMaxUserRoadPoints)) {
      return stop(record);
    }
    UserRoad road;
    for (std::int64_t p = 0; p < count; ++p) {
      core::TMapPoint point;
      if (++i >= lines.size() || !PointOf(lines[i], point)) return stop(record);
      road.Points.push_back(point);
    }
    if (++i >= lines.size()) return stop(record);
    const std::string_view nameLine = Trim(lines[i]);
    const std::size_t open = nameLine.find('(');
    const std::size_t comma = open == std::string_view::npos ? open : nameLine.find(',', open + 1);
    const std::size_t close = comma == std::string_view::npos ? comma : nameLine.find(')', comma + 1);
    std::int64_t classCode = 0;
    if (close == std::string_view::npos || !Integer(nameLine.substr(comma + 1, close - comma - 1), classCode) ||
        classCode < 0 || classCode > 127) {
      return stop(record);
    }
    road.Name = std::string(nameLine.substr(open + 1, comma - open - 1));
    road.Class = static_cast<std::uint8_t>(classCode);
    file.Roads.push_back(std::move(road));
  }
  return file;
}

std::string UserRoadText(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& entry : entries) {
    std::size_t at = 0;
    for (;;) {
      const std::size_t tab = entry.find('\t', at);
      text += entry.substr(at, tab == std::string::npos ? std::string::npos : tab - at) + "\r\n";
      if (tab == std::string::npos) break;
      at = tab + 1;
    }
  }
  return text;
}

UserRoadFile LoadUserRoads(const std::filesystem::path& folder) {
  const auto path = data::ResolveDataFile(folder.string(), kUserRoadFile);
  std::string text;
  if (!path || !kernel::ReadWholeFile(*path, &text)) return {};
  return ParseUserRoads(text);
}

std::filesystem::path SaveUserRoads(const std::filesystem::path& folder, const std::vector<std::string>& entries) {
  const auto existing = data::ResolveDataFile(folder.string(), kUserRoadFile);
  const std::filesystem::path target = existing ? *existing : folder / kUserRoadFile;
  std::filesystem::path backup;
  if (existing) {
    // The old file is copied, not moved, so that a failed write below still
    // leaves it in place.
    for (int n = 0; n < 1000 && backup.empty(); ++n) {
      char name[16];
      std::snprintf(name, sizeof name, "Xmap%03d.rte", n);
      if (!data::ResolveDataFile(folder.string(), name)) backup = folder / name;
    }
    std::error_code error;
    if (backup.empty() || !std::filesystem::copy_file(*existing, backup, error)) {
      throw IoError("Cannot keep a copy of \"" + existing->string() + "\"" +
                    (backup.empty() ? ": no free backup name" : ": " + error.message()));
    }
  }
  std::error_code error;
  if (!kernel::WriteFileAtomically(target, UserRoadText(entries), &error)) {
    throw IoError("Cannot write \"" + target.string() + "\": " + error.message());
  }
  return backup;
}

}  // namespace quelmar::routing
