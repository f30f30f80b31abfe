#include "control/core/geodesy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quelmar::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Distance, IsThousandthsOfAMileOnThe3960MileSphere) {
  struct Case {
    double lon1, lat1, lon2, lat2;
    std::int32_t expected;
  };
  const Case cases[] = {
      {-87, 41, -87, 42, 69115},      // one degree of latitude: 3,960,000 × pi / 180 = 69,115.04
      {-90, 0, -89, 0, 69115},        // one degree of longitude on the equator
      {-87, 42, -87, 41, 69115},      // symmetric
      {0, 0, 180, 0, 12440707},       // antipodes: 3,960,000 × pi
      {-87, 41, -87, 41.00003, 0},    // less than half a map unit apart
  };
  for (const Case& c : cases) {
    const auto d = Distance(c.lon1, c.lat1, c.lon2, c.lat2);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->Thousandths, c.expected) << c.lon1 << "," << c.lat1 << " " << c.lon2 << "," << c.lat2;
  }
  EXPECT_NEAR(Distance(-87, 41, -87, 42)->Angle, 0.017453292519943295, 1e-12);
}

TEST(Distance, IsZeroNotNaNForIdenticalPoints) {
  // At (-168, 2.15) the cosine sum rounds to 1 + 2^-52; unclamped, arcsin of
  // it is NaN.
  const double points[][2] = {{-168.0, 2.15}, {-87.6, 41.9}, {-87, 41}, {0, 0}, {-175, 85}};
  for (const auto& p : points) {
    const auto d = Distance(p[0], p[1], p[0], p[1]);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->Thousandths, 0) << p[0] << "," << p[1];
    EXPECT_FALSE(std::isnan(d->Angle));
  }
}

TEST(Distance, RefusesCoordinatesThatAreNoMapCoordinates) {
  for (int i = 0; i < 4; ++i) {
    for (double bad : {kNaN, kInf, -kInf, 1e308, -1e308, 137439.0}) {
      double c[4] = {-87, 41, -86, 42};
      c[i] = bad;
      EXPECT_FALSE(Distance(c[0], c[1], c[2], c[3]).has_value()) << bad;
    }
  }
  EXPECT_TRUE(Distance(137438.0, 0, -137438.0, 0).has_value()) << "the largest map coordinates still measure";
}

TEST(HeadsUp, GivesACompassBearing) {
  struct Case {
    double dx, dy;
    std::int32_t expected;
  };
  const Case cases[] = {
      {0, 1, 0},    {1, 0, 90},   {0, -1, 180}, {-1, 0, 270},
      {1, 1, 45},   {-1, -1, 225}, {-1, 1, 315}, {0, 0, 90},  // no direction: atan2(0, 0) = 0
      {-1, -1e-9, 270},  // just below due west stays 270, not 630 or -90
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HeadsUp(-87, 41, -87 + c.dx, 41 + c.dy), c.expected) << c.dx << "," << c.dy;
  }
}

TEST(HeadsUp, RefusesNonFiniteDifferences) {
  EXPECT_FALSE(HeadsUp(kNaN, 41, -87, 42).has_value());
  EXPECT_FALSE(HeadsUp(-87, 41, -87, kInf).has_value());
  EXPECT_FALSE(HeadsUp(-1e308, 0, 1e308, 0).has_value());  // the difference overflows
}

}  // namespace
}  // namespace quelmar::core
