// The archive catalogue: each layer archive's names and folder as a built
// tree spells them, its lookups, its load switch, and the street archive names.
#include "control/data/archive_catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace quelmar::data {
namespace {

TEST(ArchiveCatalogue, EveryLayerHasItsEntryWithTheNamesOfABuiltTree) {
  struct Case {
    Layer layer;
    const char* name;
    QuadGrid grid;
    const char* suffix;
    ArchiveFolder folder;
  };
  const Case cases[] = {
      {Layer::Extra, "MXtra.zpx", QuadGrid::Extra, "00", ArchiveFolder::Data1},
      {Layer::Network, "mrte.zpx", QuadGrid::Network, "", ArchiveFolder::Data1},
      {Layer::Hydro, "mhydro.zpx", QuadGrid::Overview, "94", ArchiveFolder::Data1},
      {Layer::State, "mstate.zpx", QuadGrid::Overview, "95", ArchiveFolder::Data1},
      {Layer::City, "Mcity.zpx", QuadGrid::Overview, "98", ArchiveFolder::Data1},
      {Layer::Air, "Mair.zpx", QuadGrid::Overview, "97", ArchiveFolder::Data1},
      {Layer::County, "Mcnty.zpx", QuadGrid::Overview, "93", ArchiveFolder::Data1},
      {Layer::Landmark, "Mland.zpx", QuadGrid::Land, "96", ArchiveFolder::Data2},
  };
  ASSERT_EQ(std::size(cases), kLayerArchives.size());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LayerArchiveEntry& entry = LayerArchiveOf(c.layer);
    EXPECT_EQ(entry.Id, c.layer);
    EXPECT_EQ(entry.Name, c.name);
    EXPECT_EQ(entry.Grid, c.grid);
    EXPECT_EQ(entry.Suffix, c.suffix);
    EXPECT_EQ(entry.Folder, c.folder);
    EXPECT_EQ(FindLayerArchive(c.name), &entry);
    const Quad quad = *QuadAt(c.grid, {-1369000, 654400});
    EXPECT_EQ(LayerMemberName(entry, quad), QuadName(quad) + c.suffix);
  }
}

TEST(ArchiveCatalogue, FindsLayerArchivesInAnyCaseAndNothingElse) {
  struct Case {
    const char* fileName;
    std::optional<Layer> expected;
  };
  const Case cases[] = {
      {"MSTATE.ZPX", Layer::State}, {"mland.ZPX", Layer::Landmark}, {"MRTE.zpx", Layer::Network},
      {"mstate.zp", std::nullopt},  {"mstate.zpx ", std::nullopt},  {"17.ZP5", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    const LayerArchiveEntry* entry = FindLayerArchive(c.fileName);
    ASSERT_EQ(entry != nullptr, c.expected.has_value());
    if (entry) {
      EXPECT_EQ(entry->Id, *c.expected);
    }
  }
}

TEST(ArchiveCatalogue, EachLoadSwitchFollowsItsOwnSwitchOnly) {
  struct Case {
    LoadSwitch which;
    bool LoadSwitches::*field;
  };
  const Case cases[] = {
      {LoadSwitch::Highway, &LoadSwitches::Highway}, {LoadSwitch::Hydro, &LoadSwitches::Hydro},
      {LoadSwitch::State, &LoadSwitches::State},     {LoadSwitch::City, &LoadSwitches::City},
      {LoadSwitch::Air, &LoadSwitches::Air},         {LoadSwitch::County, &LoadSwitches::County},
      {LoadSwitch::Landmark, &LoadSwitches::Landmark},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.which));
    LoadSwitches on;
    EXPECT_TRUE(SwitchOn(c.which, on));
    on.*c.field = false;
    EXPECT_FALSE(SwitchOn(c.which, on));
    LoadSwitches othersOff{false, false, false, false, false, false, false};
    othersOff.*c.field = true;
    EXPECT_TRUE(SwitchOn(c.which, othersOff));
  }
  EXPECT_TRUE(SwitchOn(LoadSwitch::Always, {false, false, false, false, false, false, false}));
}

TEST(ArchiveCatalogue, FolderNamesOfABuiltTree) {
  EXPECT_EQ(FolderName(ArchiveFolder::Data1), "DATA1");
  EXPECT_EQ(FolderName(ArchiveFolder::Data2), "DATA2");
  EXPECT_EQ(FolderName(ArchiveFolder::States), "STATES0");
}

TEST(ArchiveCatalogue, StreetArchiveNamesAreTwoDigitsAndTheExtension) {
  EXPECT_EQ(kDefaultStreetExtension, ".ZP5");
  EXPECT_EQ(StreetArchiveName(17), "17.ZP5");
  EXPECT_EQ(StreetArchiveName(kNationalStreetArchive), "02.ZP5");
  EXPECT_EQ(StreetArchiveName(0, ".ZP4"), "00.ZP4");
  EXPECT_EQ(StreetArchiveName(99), "99.ZP5");
  EXPECT_THROW(StreetArchiveName(100), std::invalid_argument);
  EXPECT_THROW(StreetArchiveName(-1), std::invalid_argument);
}

TEST(ArchiveCatalogue, StreetArchiveNumbersReadBackFromFileNames) {
  struct Case {
    const char* fileName;
    const char* extension;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {"17.ZP5", ".ZP5", 17},         {"02.zp5", ".ZP5", 2},          {"00.ZP4", ".ZP4", 0},
      {"17.ZP4", ".ZP5", std::nullopt}, {"7.ZP5", ".ZP5", std::nullopt}, {"117.ZP5", ".ZP5", std::nullopt},
      {"1A.ZP5", ".ZP5", std::nullopt}, {"17.ZP5.BAK", ".ZP5", std::nullopt}, {"", ".ZP5", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    EXPECT_EQ(StreetArchiveNumber(c.fileName, c.extension), c.expected);
  }
  for (int state : {0, 2, 17, 99}) EXPECT_EQ(StreetArchiveNumber(StreetArchiveName(state)), state);
}

}  // namespace
}  // namespace quelmar::data
