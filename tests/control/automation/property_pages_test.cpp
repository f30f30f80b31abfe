// The property pages read and write the control's properties by name.
#include "control/automation/property_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "control_fixture.h"

namespace quelmar::testing {
namespace {

using automation::PropertyPage;

class PropertyPages : public ControlTest {
 protected:
  com::IDispatch* Dispatch() { return static_cast<automation::ITarvo*>(control_); }
  std::unique_ptr<PropertyPage> Page(std::size_t index) {
    auto pages = automation::DefinePropertyPages();
    return std::move(pages.at(index));
  }
};

TEST_F(PropertyPages, AnnouncedInOrder) {
  std::vector<std::string> titles;
  for (const auto& page : automation::DefinePropertyPages()) titles.push_back(page->Title());
  EXPECT_EQ(titles, (std::vector<std::string>{"Screen", "Directories", "Overlays", "&Underlay"}));
}

TEST_F(PropertyPages, ScreenPageShowsAndWritesSwitchesAndTheMapMode) {
  ASSERT_EQ(Put("EdgePan", com::Variant(true)).hr, com::S_OK);
  auto page = Page(0);
  page->Open(Dispatch());
  ui::DialogModel& d = page->Dialog();
  EXPECT_TRUE(d.Field("Edge Viewport Panning").checked);
  EXPECT_FALSE(d.Field("Draw Coordinate Grid").checked);
  EXPECT_TRUE(d.Field("Mouse Zoom and Pan").checked);
  d.Field("Draw Coordinate Grid").checked = true;
  d.Choose("Street Design Mode");
  EXPECT_FALSE(d.Field("Mouse Zoom and Pan").checked);
  page->Apply(Dispatch());
  EXPECT_EQ(Get("Grid").boolVal(), -1);
  EXPECT_EQ(Get("MapMode").i4(), 2);
}

TEST_F(PropertyPages, UnderlayPageWritesTheImageFile) {
  auto page = Page(3);
  page->Open(Dispatch());
  EXPECT_TRUE(page->Dialog().Field("UnderlayFile").enabled);
  EXPECT_TRUE(page->Dialog().Field("&Topo").enabled);
  page->Dialog().Field("UnderlayFile").text = "usrelief.bmp";
  // With AutoConfig on, applying also saves the configuration file.
  ASSERT_EQ(Put("AutoConfig", com::Variant(true)).hr, com::S_OK);
  EXPECT_EQ(page->Apply(Dispatch()), com::S_OK);
  EXPECT_EQ(Get("UnderlayFile").bstr(), "usrelief.bmp");
  const std::filesystem::path file = Panel()->ConfigurationPath();
  std::ifstream saved(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("CDCONT=usrelief.bmp\r\n"), std::string::npos);
  std::filesystem::remove(file);
}

TEST_F(PropertyPages, DirectoriesPageEditsTheDataFolders) {
  auto page = Page(1);
  page->Open(Dispatch());
  EXPECT_EQ(page->Dialog().Field("&States0:").text, "f:\\TARVO50\\States0");
  // The drive shortcut fills the four standard folders, not States1.
  page->Press("Default Drive:");
  EXPECT_EQ(page->Dialog().Field("Data&2:").text, "C:\\tarvo40\\data2");
  EXPECT_EQ(page->Dialog().Field("S&tates1:").text, "f:\\TARVO50\\States1");
  page->Apply(Dispatch());
  EXPECT_EQ(Get("Path_data3").bstr(), "C:\\tarvo40\\data3");
  EXPECT_EQ(Get("Path_states1").bstr(), "f:\\TARVO50\\States1");
}

TEST_F(PropertyPages, OverlaysPageCarriesTheLayerSwitches) {
  auto page = Page(2);
  page->Open(Dispatch());
  EXPECT_TRUE(page->Dialog().Field("Display &Airports").checked);
  EXPECT_FALSE(page->Dialog().Field("Underlay").checked);
  page->Dialog().Field("Display &Airports").checked = false;
  page->Apply(Dispatch());
  EXPECT_EQ(Get("Load_Air").boolVal(), 0);
}

TEST_F(PropertyPages, UnderlayPageStepsTheContrastWithinBounds) {
  auto page = Page(3);
  page->Open(Dispatch());
  EXPECT_EQ(page->Dialog().Field(" Shadow Contrast ").text, "0");
  page->Press("Down");
  EXPECT_EQ(page->Dialog().Field(" Shadow Contrast ").text, "0");
  for (int i = 0; i < 25; ++i) page->Press("Up");
  EXPECT_EQ(page->Dialog().Field(" Shadow Contrast ").text, "100");
  page->Dialog().Choose("&Topo");
  page->Apply(Dispatch());
  EXPECT_EQ(Get("UnderlayShadow").i2(), 100);
  EXPECT_EQ(Get("UnderlayStyle").i4(), 2);
}

}  // namespace
}  // namespace quelmar::testing
