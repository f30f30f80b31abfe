// The label of the bubble "Mark Point" puts on a found place, for each tab
// of the Locator, from the fields of the result line.
#include <gtest/gtest.h>

#include "control/dialogs/locator_dialog.h"

namespace quelmar::dialogs {
namespace {

TEST(MarkPointLabel, EachTabLabelsFromItsFields) {
  const std::string result = "1060\tW ADDISON ST\tCHICAGO\tIL\t60613\t312-555\t-87.655360,41.947072";
  struct Case {
    LocatorTab tab;
    const char* label;
  };
  for (const Case& c : {Case{LocatorTab::Address, "1060 W ADDISON ST"}, Case{LocatorTab::Place, "CHICAGO,IL"},
                        Case{LocatorTab::Zip, "60613[ CHICAGO,IL ]"}, Case{LocatorTab::Phone, "312-555 [ CHICAGO,IL ]"},
                        Case{LocatorTab::LonLat, "W ADDISON ST"}}) {
    EXPECT_EQ(MarkPointLabel(c.tab, result), c.label) << static_cast<int>(c.tab);
  }
  EXPECT_EQ(MarkPointLabel(LocatorTab::Place, ""), ",") << "a result without fields gives empty parts";
}

}  // namespace
}  // namespace quelmar::dialogs
