// The airports table: quoted fields, missing values, other countries, errors.
#include "tools/quelmar-data/builder/inputs/airports_csv.h"

#include <gtest/gtest.h>

#include <string>

#include "control/core/errors.h"

namespace quelmar::builder {
namespace {

const char* const kHeader = "iata,name,city,state,country,latitude,longitude\n";

TEST(AirportsCsv, ReadsUnitedStatesRows) {
  const std::string text = std::string(kHeader) +
                           "ORD,Chicago O'Hare International,Chicago,IL,USA,41.979595,-87.90446417\n"
                           "DBN,\"W. H. \"\"Bud\"\" Barron\",Dublin,GA,USA,32.56445806,-82.98525556\r\n"
                           "N25,Westport,\"Westport, NY\",NY,USA,44.15838611,-73.43290444\n"
                           "\n"
                           "ROP,Prachinburi,NA,NA,Thailand,14.078333,101.378334\n"
                           "CLD,MC Clellan-Palomar Airport,NA,NA,USA,33.127231,-117.278727\n";
  const std::vector<Airport> airports = ParseAirports(text);
  ASSERT_EQ(airports.size(), 4u);
  EXPECT_EQ(airports[0].Code, "ORD");
  EXPECT_EQ(airports[0].Name, "Chicago O'Hare International");
  EXPECT_EQ(airports[0].City, "Chicago");
  EXPECT_EQ(airports[0].StateCode, "IL");
  EXPECT_EQ(airports[0].At, ToMapUnits(-87.90446417, 41.979595));
  EXPECT_EQ(airports[1].Name, "W. H. \"Bud\" Barron");
  EXPECT_EQ(airports[2].City, "Westport, NY");
  EXPECT_EQ(airports[3].Code, "CLD");
  EXPECT_EQ(airports[3].City, "");
  EXPECT_EQ(airports[3].StateCode, "");
}

TEST(AirportsCsv, MalformedTablesAreDataErrors) {
  const std::string cases[] = {
      "",
      "code,name,city,state,country,lat,lon\n",
      std::string(kHeader) + "ORD,Chicago,Chicago,IL,USA,41.9\n",
      std::string(kHeader) + "ORD,\"Chicago,Chicago,IL,USA,41.9,-87.9\n",
      std::string(kHeader) + "ORD,Chicago,Chicago,IL,USA,north,-87.9\n",
      std::string(kHeader) + "ORD,Chicago,Chicago,IL,USA,41.9,-287.9\n",
  };
  for (const std::string& text : cases) EXPECT_THROW(ParseAirports(text), DataError) << text;
}

}  // namespace
}  // namespace quelmar::builder
