// INIT's base map: read from the archive built into the control.
#include "control/data/base_data.h"

#include <gtest/gtest.h>

#include "control/data/builtin_resources.h"
#include "control/data/name_unpack.h"
#include "platform/kernel/beep.h"

namespace quelmar::data {
namespace {

TEST(BaseData, TheBuiltInArchivesAreLinkedIn) {
  for (const char* type : {"TARVO", "hmap"}) {
    auto resource = FindBuiltInResource(type, "Zipdata_1");
    ASSERT_TRUE(resource) << type;
    ASSERT_GE(resource->size(), 30u);
    EXPECT_EQ((*resource)[0], 'P');
    EXPECT_EQ((*resource)[1], 'K');
  }
  EXPECT_FALSE(FindBuiltInResource("TARVO", "Zipdata_2"));
}

TEST(BaseData, InitLoadsTheBuiltInBaseMap) {
  DrawingTable table;
  const RouteNameRules rules;
  BuiltInBaseData base(table, rules);
  core::StartupSettings settings;
  base.OpenBaseData(settings);
  EXPECT_EQ(base.LoadError(), kLoadOk) << base.FailureText();
  ASSERT_GT(base.BaseMap().Count(), 0);
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.At(1).Kind, 'P');
  bool capital = false;
  for (const DrawObject& o : base.BaseMap().Objects()) {
    if (const auto* place = std::get_if<PlaceObject>(&o.Body)) {
      capital |= UpperName(UnpackName(place->Name)) == "*WASHINGTON";
    }
  }
  EXPECT_TRUE(capital);
}

TEST(BaseData, AMissingBaseMapBeepsAndLoadsNothing) {
  DrawingTable table;
  const RouteNameRules rules;
  BuiltInBaseData base(table, rules);
  core::StartupSettings settings;
  settings.baseArchiveName = "NOSUCH.ZIP";
  const long beeps = kernel::BeepCount();
  base.OpenBaseData(settings);
  EXPECT_EQ(base.LoadError(), kLoadSourceNotOpened);
  EXPECT_EQ(base.BaseMap().Count(), 0);
  EXPECT_EQ(kernel::BeepCount(), beeps + 1);
  EXPECT_FALSE(base.FailureText().empty());

  // A name that is no archive's is a drawing file of the working folder, when there is one.
  settings.baseArchiveName = "NOSUCH.DCM";
  settings.workingFolder = "/nonexistent/";
  base.OpenBaseData(settings);
  EXPECT_EQ(base.LoadError(), kLoadSourceNotOpened);
  EXPECT_EQ(base.BaseMap().Count(), 0);
}

}  // namespace
}  // namespace quelmar::data
