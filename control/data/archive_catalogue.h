#pragma once
// The catalogue of the archives the map reads from its data folders, in one
// table: each overview and landmark layer archive with its file name, the quad
// grid and suffix of its member names, its folder, the load switch that gates
// it and the registry name whose scale bounds it is loaded in; and the naming
// of the street archives of the States folder.
//
// The load pass reads the map with it, and the data builder and the tree
// verifier write and check the map by it, so the three agree on every name.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "control/data/drawing_kind.h"
#include "control/data/quad.h"

namespace quelmar::data {

// The folders of a map tree, by their role.
enum class ArchiveFolder : std::uint8_t {
  Data1,   // the overview layer archives
  Data2,   // the landmark archive
  States,  // the street archives and the national one
};

// The name a built tree gives the folder: "DATA1", "DATA2", "STATES0".
std::string_view FolderName(ArchiveFolder folder);

// The layer archives, one each.
enum class Layer : std::uint8_t { Extra, Network, Hydro, State, City, Air, County, Landmark };

// The control's switch that turns a layer on and off; Always: no switch.
enum class LoadSwitch : std::uint8_t { Always, Highway, Hydro, State, City, Air, County, Landmark };

// Whether `which` is on in `switches` (Always is).
bool SwitchOn(LoadSwitch which, const LoadSwitches& switches);

struct LayerArchiveEntry {
  Layer Id;
  std::string_view Name;    // file name as the map opens it: "mstate.zpx"
  QuadGrid Grid;            // of the member names
  std::string_view Suffix;  // after the quad name in a member name: "95"
  ArchiveFolder Folder;     // Data1 or Data2
  LoadSwitch Switch;
  // The registry name and kind letter whose scale bounds (BoundsOf) the load
  // pass tests: a layer loads from the lower bound up, and when UpperBounded
  // only below the upper bound as well.
  std::string_view BoundsName;
  char BoundsKind;
  bool UpperBounded;
};

// In the order the load pass loads them.
inline constexpr std::array<LayerArchiveEntry, 8> kLayerArchives = {{
    {Layer::Extra, "MXtra.zpx", QuadGrid::Extra, "00", ArchiveFolder::Data1, LoadSwitch::Always, "Q0000", 'Q', false},
    {Layer::Network, "mrte.zpx", QuadGrid::Network, "", ArchiveFolder::Data1, LoadSwitch::Highway, "G0000", 'G', true},
    {Layer::Hydro, "mhydro.zpx", QuadGrid::Overview, "94", ArchiveFolder::Data1, LoadSwitch::Hydro, "M000094", 'M',
     true},
    {Layer::State, "mstate.zpx", QuadGrid::Overview, "95", ArchiveFolder::Data1, LoadSwitch::State, "M000095", 'M',
     false},
    {Layer::City, "Mcity.zpx", QuadGrid::Overview, "98", ArchiveFolder::Data1, LoadSwitch::City, "M000098", 'M', false},
    {Layer::Air, "Mair.zpx", QuadGrid::Overview, "97", ArchiveFolder::Data1, LoadSwitch::Air, "M000097", 'M', false},
    {Layer::County, "Mcnty.zpx", QuadGrid::Overview, "93", ArchiveFolder::Data1, LoadSwitch::County, "M000093", 'M',
     false},
    {Layer::Landmark, "Mland.zpx", QuadGrid::Land, "96", ArchiveFolder::Data2, LoadSwitch::Landmark, "M000096", 'M',
     false},
}};

// The file-name ending of the layer archives of the data folders.
inline constexpr std::string_view kLayerArchiveExtension = ".zpx";

const LayerArchiveEntry& LayerArchiveOf(Layer layer);
// The entry of a layer archive file name, in any case; nullptr for others.
const LayerArchiveEntry* FindLayerArchive(std::string_view fileName);
// The member name of `quad` in the archive: its quad name, then the suffix.
std::string LayerMemberName(const LayerArchiveEntry& archive, const Quad& quad);

// --- Street archives: two digits of a state code, then the extension ---------

// Hosts may change the extension; this is the one the map is built with.
inline constexpr std::string_view kDefaultStreetExtension = ".ZP5";
// The archive of this number holds the national ("Z") quads, not a state's.
inline constexpr int kNationalStreetArchive = 2;

// "17.ZP5" for state 17 (0..99).
std::string StreetArchiveName(int state, std::string_view extension = kDefaultStreetExtension);
// The number of a street archive file name ("17.zp5": 17), in any case;
// nullopt for other names.
std::optional<int> StreetArchiveNumber(std::string_view fileName,
                                       std::string_view extension = kDefaultStreetExtension);

}  // namespace quelmar::data
