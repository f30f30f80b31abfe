#include "control/data/archive_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace quelmar::data {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace

std::string_view FolderName(ArchiveFolder folder) {
  switch (folder) {
    case ArchiveFolder::Data1: return "DATA1";
    case ArchiveFolder::Data2: return "DATA2";
    case ArchiveFolder::States: return "STATES0";
  }
  return "";
}

bool SwitchOn(LoadSwitch which, const LoadSwitches& on) {
  switch (which) {
    case LoadSwitch::Always: return true;
    case LoadSwitch::Highway: return on.Highway;
    case LoadSwitch::Hydro: return on.Hydro;
    case LoadSwitch::State: return on.State;
    case LoadSwitch::City: return on.City;
    case LoadSwitch::Air: return on.Air;
    case LoadSwitch::County: return on.County;
    case LoadSwitch::Landmark: return on.Landmark;
  }
  return false;
}

const LayerArchiveEntry& LayerArchiveOf(Layer layer) {
  for (const LayerArchiveEntry& entry : kLayerArchives) {
    if (entry.Id == layer) return entry;
  }
  throw std::logic_error("a layer without a catalogue entry");
}

const LayerArchiveEntry* FindLayerArchive(std::string_view fileName) {
  for (const LayerArchiveEntry& entry : kLayerArchives) {
    if (EqualsIgnoringCase(entry.Name, fileName)) return &entry;
  }
  return nullptr;
}

std::string LayerMemberName(const LayerArchiveEntry& archive, const Quad& quad) {
  return QuadName(quad) + std::string(archive.Suffix);
}

std::string StreetArchiveName(int state, std::string_view extension) {
  if (state < 0 || state > 99) throw std::invalid_argument("a street archive number beyond two digits");
  char digits[4];
  std::snprintf(digits, sizeof digits, "%02d", state);
  return digits + std::string(extension);
}

std::optional<int> StreetArchiveNumber(std::string_view fileName, std::string_view extension) {
  if (fileName.size() != 2 + extension.size() || !EqualsIgnoringCase(fileName.substr(2), extension)) {
    return std::nullopt;
  }
  const char tens = fileName[0];
  const char ones = fileName[1];
  if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return std::nullopt;
  return (tens - '0') * 10 + (ones - '0');
}

}  // namespace quelmar::data
