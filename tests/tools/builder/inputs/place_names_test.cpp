// Name keys, the common names of gazetteer entries and the gazetteer lookup
// that the places and highway joins rely on.
#include "tools/quelmar-data/builder/inputs/place_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/quelmar-data/builder/inputs/gazetteer.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"

namespace quelmar::builder {
namespace {

TEST(PlaceNames, NameKeysFoldCaseAccentsAndPunctuation) {
  struct Case {
    const char* Name;
    const char* Key;
  };
  const Case cases[] = {
      {"Chicago", "chicago"},
      {"  Winston-Salem ", "winston salem"},
      {"Cañon City", "canon city"},          // UTF-8
      {"Ca\xF1on City", "canon city"},       // the same in Latin-1
      {"Can\xCC\x83on City", "canon city"},  // n and a combining tilde
      {"Saint Louis", "st louis"},
      {"St. Louis", "st louis"},
      {"Mount Vernon", "mt vernon"},
      {"Coeur d'Alene", "coeur dalene"},
      {"Washington, D.C.", "washington dc"},
      {"Pullman/Moscow", "pullman moscow"},
      {"Fort Worth", "ft worth"},
      {"Straße", "strasse"},
      {"\xFF\xFE", "yth"},                 // stray bytes read as Latin-1
      {"Kuril\xE2\x80\x99sk", "kurilsk"},  // a curly apostrophe
  };
  for (const Case& c : cases) EXPECT_EQ(NameKey(c.Name), c.Key) << c.Name;
}

GazetteerEntry Entry(GazetteerKind kind, std::string name, std::string state) {
  GazetteerEntry entry;
  entry.Kind = kind;
  entry.Name = std::move(name);
  entry.StateCode = std::move(state);
  return entry;
}

TEST(PlaceNames, CommonNamesDropTheLegalSuffix) {
  struct Case {
    GazetteerKind Kind;
    const char* Name;
    const char* State;
    std::vector<std::string> Names;
  };
  const GazetteerKind place = GazetteerKind::Place;
  const GazetteerKind town = GazetteerKind::CountySubdivision;
  const Case cases[] = {
      {place, "Chicago city", "IL", {"Chicago"}},
      {place, "Abanda CDP", "AL", {"Abanda"}},
      {place, "Juneau city and borough", "AK", {"Juneau"}},
      {place, "Milford city (balance)", "CT", {"Milford"}},
      {place, "San Juan zona urbana", "PR", {"San Juan"}},
      {place, "Barnstable Town city", "MA", {"Barnstable"}},
      {place, "Old Town city", "ME", {"Old Town"}},
      {place, "Charles Town city", "WV", {"Charles Town"}},
      {place, "San Buenaventura (Ventura) city", "CA", {"San Buenaventura", "Ventura"}},
      {place, "Carson City", "NV", {"Carson City"}},
      {place, "Princeton", "NJ", {"Princeton"}},
      {town, "Wareham town", "MA", {"Wareham"}},
      {town, "Clinton charter township", "MI", {"Clinton"}},
      {town, "Edison township", "NJ", {"Edison"}},
      {town, "Prattville CCD", "AL", {}},
      {town, "Precinct 2", "IL", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(CommonNames(Entry(c.Kind, c.Name, c.State)), c.Names) << c.Name;
}

GazetteerIndex SmallIndex() {
  return GazetteerIndex(
      ParseGazetteer("[fips2148000]\ncentroid = (0.6, -1.5)\ndescription = Louisville city, KY\n"
                     "[fips2148006]\ncentroid = (0.66, -1.49)\ndescription = Louisville/Jefferson County metro "
                     "government (balance), KY\n"
                     "[fips2500100]\ncentroid = (0.73, -1.23)\ndescription = Wareham Center CDP, MA\n"
                     "[fips2502373835]\ncentroid = (0.7275, -1.2324)\ndescription = Wareham town, MA\n"
                     "[fips0811810]\ncentroid = (0.67, -1.84)\ndescription = Ca\xF1on City city, CO\n"
                     "[fips0811820]\ncentroid = (0.67, -1.84)\ndescription = Ca\xF1on City CCD, CO\n"
                     "[fips3305140]\ncentroid = (0.75, -1.24)\ndescription = Salem CDP, NH\n"
                     "[fips3301565540]\ncentroid = (0.75, -1.24)\ndescription = Salem town, NH\n"));
}

TEST(PlaceNames, TheIndexPrefersAliasesThenPlacesThenTowns) {
  const GazetteerIndex index = SmallIndex();
  struct Case {
    const char* State;
    const char* Name;
    std::vector<std::string> Found;
  };
  const Case cases[] = {
      {"KY", "Louisville", {"Louisville/Jefferson County metro government (balance)"}},
      {"MA", "Wareham", {"Wareham town"}},
      {"MA", "Wareham Center", {"Wareham Center CDP"}},
      {"CO", "Cañon City", {"Ca\xF1on City city"}},
      {"NH", "Salem", {"Salem CDP"}},
      {"KY", "Wareham", {}},
      {"CO", "Nowhere", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> found;
    for (const GazetteerEntry* entry : index.Find(c.State, c.Name)) found.push_back(entry->Name);
    EXPECT_EQ(found, c.Found) << c.Name << ", " << c.State;
  }
  EXPECT_EQ(index.DisplayName(*index.Find("KY", "Louisville")[0]), "Louisville");
  EXPECT_EQ(index.DisplayName(*index.Find("MA", "Wareham")[0]), "Wareham");
}

}  // namespace
}  // namespace quelmar::builder
