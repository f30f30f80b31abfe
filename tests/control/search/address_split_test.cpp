#include "control/search/address_split.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

// Stand-ins for the ZIP and place tables: a few known answers, and a record
// of what was asked.
class FakeLookups {
 public:
  FakeLookups() {
    zipLines_[60614] = "60614\tCHICAGO\tIL\t0\t-87.6500\t41.9200";
    zipLines_[501] = "00501\tHOLTSVILLE\tNY\t0\t-73.0500\t40.8200";
    zipLines_[99999] = "99999\tNOWHERE\tABCDEFGHIJ\t0\t0\t0";
    placeLines_["Chicago,IL"] = "CHICAGO\tIL\t-87.65\t41.85";
    placeLines_["Springfield,MO"] = "SPRINGFIELD\tMO\t-93.29\t37.21";
    placeLines_["Springfield,"] = "SPRINGFIELD\tIL\t-89.64\t39.80";  // nearest record of any state
    placeLines_["North Platte,NE"] = "N PLATTE\tNE\t-100.77\t41.12";
    placeLines_["Park,IL"] = "PARK RIDGE\tIL\t-87.84\t42.01";
  }

  AddressLookups Lookups() {
    return {
        [this](std::int32_t zip) {
          zips.push_back(zip);
          const auto found = zipLines_.find(zip);
          return found == zipLines_.end() ? ShortString() : ShortString(found->second);
        },
        [this](const ShortString& query) {
          places.push_back(query.Str());
          const auto found = placeLines_.find(query.Str());
          return found == placeLines_.end() ? ShortString() : ShortString(found->second);
        },
    };
  }

  std::vector<std::int32_t> zips;
  std::vector<std::string> places;

 private:
  std::map<std::int32_t, std::string> zipLines_;
  std::map<std::string, std::string> placeLines_;
};

TEST(SplitAddress, FindsEachPartWhereverItStands) {
  struct Case {
    std::string address;
    SplitAddressResult expected;
  };
  const Case cases[] = {
      {"123 Main St, Chicago, IL, 60614", {"123 MAIN ST", "CHICAGO", "IL", "60614", ""}},
      {"  123   main st ,  chicago ,il ", {"123 MAIN ST", "CHICAGO", "IL", "", ""}},
      {"123 Main St, Chicago, IL|5", {"123 MAIN ST", "CHICAGO", "IL", "", ""}},
      // A state and ZIP code in one field, as addresses are written; ZIP+4.
      {"123 Main St, Chicago, IL 60614", {"123 MAIN ST", "CHICAGO", "IL", "60614", ""}},
      {"123 Main St, Chicago, IL 60614-1234", {"123 MAIN ST", "CHICAGO", "IL", "60614", ""}},
      {"123 Main St, Chicago, 60614-1234", {"123 MAIN ST", "CHICAGO", "IL", "60614", ""}},
      {"60614, 123 Main St", {"123 MAIN ST", "", "IL", "60614", ""}},
      {"60614", {"", "", "IL", "60614", ""}},
      {"10001, 60614", {"10001", "", "IL", "60614", ""}},  // the last five-digit field is the ZIP code
      {"Main St, Springfield, MO, 60614", {"MAIN ST", "SPRINGFIELD", "MO", "60614", ""}},  // typed state wins
      {"Main St, N. Platte, NE", {"MAIN ST", "NORTH PLATTE", "NE", "", ""}},
      {"Main St,,IL", {"MAIN ST", "", "IL", "", ""}},
      {"Main St, Park, IL", {"MAIN ST", "PARK", "IL", "", ""}},  // the typed city need only occur in the name
      {"99999", {"", "", "ABCDEFGH", "99999", ""}},  // the ZIP line's state is kept to 8 characters
      {"1 Elm St, Il", {"1 ELM ST", "", "IL", "", ""}},
      {"IL", {"", "", "IL", "", ""}},
      {"XX", {"XX", "", "", "", ""}},
      {"A, B, C, D, E, IL", {"", "", "", "", ""}},  // a sixth field is not read
      {"", {"", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    FakeLookups fake;
    EXPECT_EQ(SplitAddress(c.address, fake.Lookups()), c.expected) << c.address;
  }
}

TEST(SplitAddress, RemembersACityOfAnotherState) {
  FakeLookups fake;
  // No state typed: the place found is in Illinois, so it is not the city,
  // and with two fields left there is no street.
  EXPECT_EQ(SplitAddress("Main St, Springfield", fake.Lookups()),
            (SplitAddressResult{"", "", "", "", "SPRINGFIELD"}));
  // With only the city typed it is also the one field left over.
  EXPECT_EQ(SplitAddress("Springfield", fake.Lookups()), (SplitAddressResult{"SPRINGFIELD", "", "", "", "SPRINGFIELD"}));
}

TEST(SplitAddress, AsksTheLookupsInTheirForms) {
  FakeLookups fake;
  SplitAddress("123 Main St, n. platte, NE, 00501", fake.Lookups());
  EXPECT_EQ(fake.zips, std::vector<std::int32_t>{501});
  // The ZIP line gives NY, the typed NE replaces it; fields are asked from the last.
  EXPECT_EQ(fake.places, (std::vector<std::string>{"North Platte,NE"}));

  FakeLookups unmatched;
  SplitAddress("123 Main St, Gary", unmatched.Lookups());
  EXPECT_TRUE(unmatched.zips.empty());
  EXPECT_EQ(unmatched.places, (std::vector<std::string>{"Gary,", "123 Main St,"}));
}

TEST(SplitAddress, HostileTextsAndMissingLookups) {
  for (const std::string& text : testing::HostileTexts()) {
    FakeLookups fake;
    const SplitAddressResult withLookups = SplitAddress(text, fake.Lookups());
    EXPECT_LE(fake.zips.size(), 1u);
    EXPECT_LE(fake.places.size(), 5u);
    EXPECT_LE(withLookups.State.Length(), 8);
    const SplitAddressResult without = SplitAddress(text, AddressLookups{});
    EXPECT_TRUE(without.City.Empty()) << text;
  }
}

}  // namespace
}  // namespace quelmar::search
