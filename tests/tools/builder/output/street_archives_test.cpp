#include "tools/quelmar-data/builder/output/street_archives.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "control/data/name_unpack.h"
#include "control/data/quad.h"
#include "tests/tools/builder/output/archive_reading.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;

// Two streets of Cook County in one street quad: a named residential street
// with a range and a ZIP code, and a highway that the whole-quad member holds.
struct Fixture {
  NationalInputs national;
  std::vector<StreetSample> samples;
  ZipCentroids zips{{{60613, "IL", ToMapUnits(-87.655, 41.947), "Chicago"}}};
  fs::path folder = fs::temp_directory_path() / ("street-archives-" + std::to_string(::getpid()));

  Fixture() {
    CountyArea cook{17, 31, "Cook", {}};
    cook.Rings.push_back({ToMapUnits(-88.3, 41.45), ToMapUnits(-87.5, 41.45), ToMapUnits(-87.5, 42.16),
                          ToMapUnits(-88.3, 42.16)});
    national.Counties.push_back(cook);
    Place chicago;
    chicago.Name = "Chicago";
    chicago.StateCode = "IL";
    chicago.StateFips = 17;
    chicago.Population = 2746388;
    chicago.At = ToMapUnits(-87.65, 41.94);
    national.Places.push_back(chicago);

    StreetSample sample;
    sample.StateFips = 17;
    StreetSegment addison;
    addison.Name = "W ADDISON ST";
    addison.Cfcc = "A41";
    addison.Points = {ToMapUnits(-87.6580, 41.9470), ToMapUnits(-87.6540, 41.9470)};
    addison.Low = 1000;
    addison.High = 1099;
    sample.Segments.push_back(addison);
    StreetSegment highway;
    highway.Name = "I-90";
    highway.Cfcc = "A11";
    highway.Points = {ToMapUnits(-87.6570, 41.9460), ToMapUnits(-87.6500, 41.9400)};
    sample.Segments.push_back(highway);
    samples.push_back(sample);
    fs::create_directories(folder);
  }
  ~Fixture() { fs::remove_all(folder); }
};

TEST(StreetArchives, QuartersHoldStreetsAndTheWholeQuadTheMajorRoads) {
  Fixture f;
  const auto written = WriteStreetArchives(f.samples, f.national, f.zips, f.folder, [](const std::string&) {});
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].Name, "17.ZP5");
  EXPECT_EQ(written[1].Name, "02.ZP5");

  const auto quad = *data::QuadAt(data::QuadGrid::Street, ToMapUnits(-87.6580, 41.9470));
  const auto members = testing::ReadLayerArchive(f.folder / "17.ZP5");
  ASSERT_EQ(members.size(), 2u);
  const std::string whole = data::StreetMemberName({quad, 0, 17});
  ASSERT_TRUE(members.count(whole));
  // Addison's first point lies in one quarter of the quad.
  std::string quarterName;
  for (const auto& [name, m] : members) {
    if (name != whole) quarterName = name;
  }
  const auto parsed = data::ParseStreetMemberName(quarterName);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->Street, quad);
  EXPECT_GE(parsed->Sub, 1);

  // The quarter: state, county and place names first, then the ZIP list,
  // then the named street with its range and ZIP index.
  const data::Drawing& d = members.at(quarterName).Drawing;
  std::vector<std::pair<int, std::string>> labels;
  const data::Polyline* street = nullptr;
  std::string streetName;
  const data::IndexList* zipList = nullptr;
  for (std::int32_t i = 1; i <= d.Count(); ++i) {
    const data::DrawObject& o = *d.ObjectAt(i);
    if (const auto* label = o.As<data::LabelText>()) {
      EXPECT_EQ(label->Point.X, 0);
      labels.emplace_back(o.Code, data::UnpackLabelWords(label->Text));
    } else if (const auto* list = o.As<data::IndexList>()) {
      zipList = list;
    } else if (const auto* ref = o.As<data::NameRef>()) {
      streetName = data::UnpackNameAbbreviated(d.NameAt(ref->Object)->Packed);
    } else if (const auto* line = o.As<data::Polyline>()) {
      EXPECT_TRUE(labels.size() == 3) << "naming labels come before the lines";
      street = line;
    }
  }
  EXPECT_EQ(labels, (std::vector<std::pair<int, std::string>>{{2, "IL"}, {5, "COOK"}, {7, "CHICAGO"}}));
  ASSERT_TRUE(zipList);
  EXPECT_EQ(zipList->Values, std::vector<std::int32_t>{60613});
  ASSERT_TRUE(street);
  EXPECT_EQ(streetName, "W ADDISON ST");
  EXPECT_EQ(data::RangeOf(street->Attr), (data::AddressRange{1000, 1099}));
  EXPECT_EQ(street->Attr.Index, 1);
}

TEST(StreetArchives, StreetQuadsCarryTheStreetDataVersion) {
  Fixture f;
  WriteStreetArchives(f.samples, f.national, f.zips, f.folder, [](const std::string&) {});
  for (const auto& [name, m] : testing::ReadLayerArchive(f.folder / "17.ZP5")) {
    // A street quad of another version is refused: nothing but the prologue is read.
    EXPECT_GT(m.Records, 3) << name;
  }
  // The national quads hold the highway, named.
  const auto national = testing::ReadLayerArchive(f.folder / "02.ZP5");
  ASSERT_FALSE(national.empty());
  EXPECT_EQ(national.begin()->first[0], 'Z');
}

}  // namespace
}  // namespace quelmar::builder

namespace quelmar::builder {
namespace {

// The place label of the quarter that holds Addison.
std::string PlaceLabelOf(const fs::path& archive) {
  for (const auto& [name, m] : testing::ReadLayerArchive(archive)) {
    if (data::ParseStreetMemberName(name)->Sub == 0) continue;
    for (std::int32_t i = 1; i <= m.Drawing.Count(); ++i) {
      const data::DrawObject& o = *m.Drawing.ObjectAt(i);
      if (const auto* label = o.As<data::LabelText>(); label && o.Code == 7) return data::UnpackLabelWords(label->Text);
    }
  }
  return "";
}

TEST(StreetArchives, StreetsAreNamedInTheCityOfTheirZipCode) {
  Fixture f;
  // A small town whose point lies right on Addison.
  Place town;
  town.Name = "Wrigleyville";
  town.StateCode = "IL";
  town.StateFips = 17;
  town.Population = 5000;
  town.At = ToMapUnits(-87.6540, 41.9470);
  f.national.Places.push_back(town);
  WriteStreetArchives(f.samples, f.national, f.zips, f.folder, [](const std::string&) {});
  EXPECT_EQ(PlaceLabelOf(f.folder / "17.ZP5"), "CHICAGO");  // the ZIP code's city
  // Without ZIP codes: the place whose reach holds the street most centrally.
  WriteStreetArchives(f.samples, f.national, ZipCentroids{}, f.folder, [](const std::string&) {});
  EXPECT_EQ(PlaceLabelOf(f.folder / "17.ZP5"), "WRIGLEYVILLE");
  f.national.Places.pop_back();
  EXPECT_EQ((WriteStreetArchives(f.samples, f.national, ZipCentroids{}, f.folder, [](const std::string&) {}),
             PlaceLabelOf(f.folder / "17.ZP5")),
            "CHICAGO");
}

}  // namespace
}  // namespace quelmar::builder
