#include "tools/quelmar-data/builder/streets/street_name.h"

#include <gtest/gtest.h>

namespace quelmar::builder {
namespace {

struct NameCase {
  const char* written;
  const char* stored;
};

class StoredStreetNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(StoredStreetNameTest, GivesTheStoredForm) {
  EXPECT_EQ(StoredStreetName(GetParam().written), GetParam().stored) << GetParam().written;
}

INSTANTIATE_TEST_SUITE_P(
    Names, StoredStreetNameTest,
    ::testing::Values(NameCase{"West Addison Street", "W ADDISON ST"}, NameCase{"N. Clark St", "N CLARK ST"},
                      NameCase{"W Addison St", "W ADDISON ST"}, NameCase{"South Lake Shore Drive", "S LAKE SHORE DR"},
                      NameCase{"Northwest Highway", "NORTHWEST HWY"},  // a direction as the whole base name stays
                      NameCase{"North Avenue", "NORTH AVE"}, NameCase{"West Street", "WEST ST"},
                      NameCase{"East", "EAST"}, NameCase{"Avenue Road", "AVENUE RD"},
                      NameCase{"Main Street North", "MAIN ST N"}, NameCase{"Southeast Parkway", "SOUTHEAST PKWY"},
                      NameCase{"Martin Luther King Junior Boulevard", "MARTIN LUTHER KING JUNIOR BLVD"},
                      NameCase{"Kennedy Expressway", "KENNEDY EXPY"}, NameCase{"Bryn Mawr Terrace", "BRYN MAWR TER"},
                      NameCase{"Park Place", "PARK PL"}, NameCase{"Eagle Court", "EAGLE CT"},
                      NameCase{"Sunset Circle", "SUNSET CIR"}, NameCase{"Elm Lane", "ELM LN"},
                      NameCase{"Ocean Av", "OCEAN AVE"}, NameCase{"  1st   Avenue ", "1ST AVE"},
                      NameCase{"O'Brien Street", "O'BRIEN ST"}, NameCase{"Camino Real, Road", "CAMINO REAL RD"},
                      NameCase{"Avenida de la Peña", "AVENIDA DE LA PENA"}, NameCase{"Straße", "STRASSE"},
                      NameCase{"Ærø Crossing", "AERO XING"}, NameCase{"Café \xE2\x80\x99Olé Lane", "CAFE 'OLE LN"},
                      NameCase{"Rue \xE6\x97\xA5 Road", "RUE RD"},  // characters with no Latin letter are dropped
                      NameCase{"Bad \xC3 byte", "BAD BYTE"}, NameCase{"", ""}, NameCase{" . ", ""}));

TEST(ShortDirectionTest, ShortensOnlyDirections) {
  EXPECT_EQ(ShortDirection("NORTHEAST"), "NE");
  EXPECT_EQ(ShortDirection("WEST"), "W");
  EXPECT_EQ(ShortDirection("MAIN"), "MAIN");
}

}  // namespace
}  // namespace quelmar::builder
