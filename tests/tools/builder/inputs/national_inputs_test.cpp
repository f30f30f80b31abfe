// LoadNationalInputs over the real input packages (skipped when QUELMAR_INPUTS
// does not name them), and its refusal of missing folders.
#include "tools/quelmar-data/builder/inputs/national_inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/map_geometry.h"
#include "tools/quelmar-data/builder/inputs/natural_earth.h"

namespace quelmar::builder {
namespace {

std::filesystem::path ReferenceDir() {
  const char* source = std::getenv("QUELMAR_TEST_SOURCE_DIR");
  return std::filesystem::path(source != nullptr ? source : ".") / "data" / "reference";
}

std::filesystem::path InputsDir() {
  const char* inputs = std::getenv("QUELMAR_INPUTS");
  return inputs != nullptr ? std::filesystem::path(inputs) : std::filesystem::path();
}

TEST(NationalInputs, MissingFoldersAreIoErrors) {
  EXPECT_THROW(LoadNationalInputs("/nonexistent/quelmar/inputs", ReferenceDir()), IoError);
  EXPECT_THROW(LoadNationalInputs(std::filesystem::temp_directory_path(), "/nonexistent/quelmar/reference"), IoError);
  // A folder without the packages: the first file it needs is missing.
  EXPECT_THROW(LoadNationalInputs(std::filesystem::temp_directory_path(), ReferenceDir()), IoError);
}

class RealNationalInputs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!InputsDir().empty() && std::filesystem::is_directory(InputsDir())) {
      national_ = new NationalInputs(LoadNationalInputs(InputsDir(), ReferenceDir()));
    }
  }
  static void TearDownTestSuite() {
    delete national_;
    national_ = nullptr;
  }
  void SetUp() override {
    if (national_ == nullptr) GTEST_SKIP() << "QUELMAR_INPUTS is not set to the fetched input packages";
  }

  static const Place* FindPlace(const std::string& name, const std::string& state) {
    for (const Place& place : national_->Places) {
      if (place.Name == name && place.StateCode == state) return &place;
    }
    return nullptr;
  }

  static NationalInputs* national_;
};

NationalInputs* RealNationalInputs::national_ = nullptr;

TEST_F(RealNationalInputs, StatesCountiesAndNation) {
  EXPECT_GE(national_->States.size(), 51u);
  EXPECT_NEAR(static_cast<double>(national_->Counties.size()), 3200.0, 100.0);
  EXPECT_FALSE(national_->Nation.empty());
  for (const StateArea& state : national_->States) {
    EXPECT_EQ(state.Code.size(), 2u);
    EXPECT_FALSE(state.Name.empty());
    EXPECT_FALSE(state.Rings.empty()) << state.Code;
  }
  const auto cook = std::find_if(national_->Counties.begin(), national_->Counties.end(),
                                 [](const CountyArea& county) { return county.AreaCode() == 17031; });
  ASSERT_NE(cook, national_->Counties.end());
  EXPECT_EQ(cook->Name, "Cook");
}

TEST_F(RealNationalInputs, PlacesJoinAndSort) {
  const Place* chicago = FindPlace("Chicago", "IL");
  ASSERT_NE(chicago, nullptr);
  EXPECT_GT(chicago->Population, 2000000);
  EXPECT_EQ(chicago->CountyCode, 17031);

  const Place* springfield = FindPlace("Springfield", "IL");
  ASSERT_NE(springfield, nullptr);
  EXPECT_TRUE(springfield->StateCapital);
  EXPECT_EQ(springfield->CountyCode, 17167);
  const Place* washington = FindPlace("Washington", "DC");
  ASSERT_NE(washington, nullptr);
  EXPECT_TRUE(washington->NationalCapital);
  EXPECT_EQ(
      std::count_if(national_->Places.begin(), national_->Places.end(), [](const Place& p) { return p.StateCapital; }),
      50);
  EXPECT_NE(FindPlace("Toronto", "ON"), nullptr);
  EXPECT_NE(FindPlace("Mexico City", "CMX"), nullptr);

  // United States first, sorted by state, population, name; each in a county of its state.
  const auto foreign = std::find_if(national_->Places.begin(), national_->Places.end(),
                                    [](const Place& p) { return p.In != Country::UnitedStates; });
  EXPECT_GT(foreign - national_->Places.begin(), 10000);
  EXPECT_TRUE(std::is_sorted(national_->Places.begin(), foreign, [](const Place& a, const Place& b) {
    return std::tie(a.StateFips, b.Population, a.Name) < std::tie(b.StateFips, a.Population, b.Name);
  }));
  int withoutCounty = 0;
  for (auto place = national_->Places.begin(); place != foreign; ++place) {
    EXPECT_GE(place->Population, 1000);
    if (place->CountyCode == 0) {
      ++withoutCounty;
    } else {
      EXPECT_EQ(place->CountyCode / 1000, place->StateFips) << place->Name;
    }
  }
  EXPECT_LT(withoutCounty, 20);
  for (auto place = foreign; place != national_->Places.end(); ++place) EXPECT_GE(place->Population, 100000);
}

TEST_F(RealNationalInputs, HighwaysJoinFully) {
  EXPECT_EQ(national_->Highways.size(), 105u);
  const TMapPoint chicago = ToMapUnits(-87.63, 41.88);
  bool i94NearChicago = false;
  for (const HighwayRoute& route : national_->Highways) {
    EXPECT_EQ(route.Points.size(), route.Places.size()) << route.Route;
    EXPECT_GE(route.Points.size(), 2u) << route.Route;
    EXPECT_EQ(route.Route.find(" ("), std::string::npos);
    EXPECT_EQ(route.Interstate, route.Route.starts_with("I-"));
    if (route.Route != "I-94") continue;
    for (const TMapPoint p : route.Points) {
      // Within about 15 miles.
      if (std::abs(p.X - chicago.X) < 4000 && std::abs(p.Y - chicago.Y) < 3500) i94NearChicago = true;
    }
  }
  EXPECT_TRUE(i94NearChicago);
}

TEST_F(RealNationalInputs, WaterAirportsAndLandmarks) {
  const MapBox cut = NorthAmericaCut();
  EXPECT_FALSE(national_->Coastline.empty());
  EXPECT_FALSE(national_->Rivers.empty());
  EXPECT_FALSE(national_->Neighbours.empty());
  for (const Line& line : national_->Coastline) {
    for (const TMapPoint p : line) EXPECT_TRUE(data::BoxContains(cut, p.X, p.Y));
  }
  const auto michigan = std::find_if(national_->Landmarks.begin(), national_->Landmarks.end(),
                                     [](const Landmark& l) { return l.Name == "Lake Michigan"; });
  ASSERT_NE(michigan, national_->Landmarks.end());
  EXPECT_EQ(michigan->Kind, LandmarkKind::Water);
  EXPECT_TRUE(PointInRings(michigan->Rings, michigan->At));

  EXPECT_GT(national_->Airports.size(), 3000u);
  const auto ohare = std::find_if(national_->Airports.begin(), national_->Airports.end(),
                                  [](const Airport& a) { return a.Code == "ORD"; });
  ASSERT_NE(ohare, national_->Airports.end());
  EXPECT_EQ(ohare->StateCode, "IL");
  for (const Airport& airport : national_->Airports) EXPECT_EQ(airport.StateCode.size(), 2u) << airport.Code;
  EXPECT_TRUE(std::any_of(national_->Landmarks.begin(), national_->Landmarks.end(), [](const Landmark& l) {
    return l.Kind == LandmarkKind::Airport && l.Name == "Chicago O'Hare International";
  }));
}

TEST_F(RealNationalInputs, LoadingAgainGivesTheSameResult) {
  const NationalInputs again = LoadNationalInputs(InputsDir(), ReferenceDir());
  ASSERT_EQ(again.Places.size(), national_->Places.size());
  for (std::size_t i = 0; i < again.Places.size(); ++i) {
    ASSERT_EQ(again.Places[i].Name, national_->Places[i].Name) << i;
    ASSERT_EQ(again.Places[i].At, national_->Places[i].At) << i;
  }
  ASSERT_EQ(again.Highways.size(), national_->Highways.size());
  for (std::size_t i = 0; i < again.Highways.size(); ++i)
    EXPECT_EQ(again.Highways[i].Points, national_->Highways[i].Points);
  EXPECT_EQ(again.Lakes.size(), national_->Lakes.size());
  EXPECT_EQ(again.Landmarks.size(), national_->Landmarks.size());
  EXPECT_EQ(again.Counties.size(), national_->Counties.size());
}

}  // namespace
}  // namespace quelmar::builder
