// A host program's view of the map server: both libraries registered in a
// class registry of the test's own, the server made by its programmatic
// identifier, and maps drawn into the host's picture by corners, centre,
// zoom and pan, with the view's edges coming back through the host's events.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "apps/host_objects/host_form.h"
#include "apps/host_objects/host_picture.h"
#include "platform/com/activation.h"
#include "platform/com/dispatch_call.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::server {
namespace {

using com::Variant;

com::HRESULT RegisterLibrary(const std::string& path) {
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) return com::E_FAIL;
  auto* entry = reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(library, "DllRegisterServer"));
  const com::HRESULT hr = entry ? entry() : com::E_FAIL;
  ::dlclose(library);
  return hr;
}

class Hosting : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("QUELMAR_REGISTRY", (folder_.path() / "registry.ini").c_str(), 1);
    ::setenv("TARVOSERVER_FOLDER", folder_.path().c_str(), 1);
    const std::filesystem::path lib = std::filesystem::path(std::getenv("QUELMAR_TEST_BINARY_DIR")) / "lib";
    ASSERT_EQ(RegisterLibrary((lib / "libquelmar50.so").string()), com::S_OK);
    ASSERT_EQ(RegisterLibrary((lib / "libtarvoserver.so").string()), com::S_OK);
    activator_ = std::make_unique<com::Activator>();
    events_.Attach(new app::HostEvents([this](const std::string& name, const std::vector<Variant>& args) {
      if (name == "SignalInformation") edges_ = {args[0].r8(), args[1].r8(), args[2].r8(), args[3].r8()};
    }));
    form_.Attach(new app::HostForm());
    picture_.Attach(new app::HostPicture(320, 240));
  }
  void TearDown() override {
    ::unsetenv("QUELMAR_REGISTRY");
    ::unsetenv("TARVOSERVER_FOLDER");
  }
  com::DispatchCall Call(const std::string& member, const std::vector<Variant>& args = {}) {
    return com::InvokeByName(server_.Get(), member, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, args);
  }
  Variant PictureArg() { return Variant(static_cast<com::IDispatch*>(picture_.Get())); }
  int MapPixels() const {
    int coloured = 0;
    const gdi::Bitmap& p = picture_->Picture();
    for (int y = 0; y < p.Height(); y += 2) {
      for (int x = 0; x < p.Width(); x += 2) coloured += p.Pixel(x, y) != 0xFFFFFF;
    }
    return coloured;
  }

  testing::TempDir folder_;
  std::unique_ptr<com::Activator> activator_;  // made once the test's registry is in place
  com::ComPtr<com::IDispatch> server_;
  com::ComPtr<app::HostEvents> events_;
  com::ComPtr<app::HostForm> form_;
  com::ComPtr<app::HostPicture> picture_;
  std::array<double, 4> edges_{};
};

// The server's own settings file names the data folders it gives the
// control; its favourites file keeps the host's lines.
TEST_F(Hosting, SettingsReachTheControlAndFavouritesAreKept) {
  const std::filesystem::path data = folder_.path() / "data";
  for (const char* sub : {"d1", "d2", "d3", "s0"}) std::filesystem::create_directories(data / sub);
  std::ofstream(folder_.path() / "TarvoServer.INI")
      << "[PATHS]\r\nDATA1=" << (data / "d1").string() << "\r\nDATA2=" << (data / "d2").string()
      << "\r\nDATA3=" << (data / "d3").string() << "\r\nSTATES0=" << (data / "s0").string()
      << "\r\n[SETUP]\r\nSHADE_STATE=False\r\n";
  ASSERT_EQ(activator_->CreateInstance("TarvoServer.clsMapServ", com::IID_IDispatch, server_.PutVoid()), com::S_OK);
  ASSERT_EQ(Call("Initialize", {Variant("K1ABC"), Variant(static_cast<com::IDispatch*>(events_.Get())),
                                Variant(static_cast<com::IDispatch*>(form_.Get()))})
                .hr,
            com::S_OK);
  EXPECT_EQ(Call("strData1").value.bstr(), (data / "d1").string());
  EXPECT_EQ(Call("strStates1").value.bstr(), (data / "s0").string()) << "an empty STATES1 takes STATES0";
  EXPECT_EQ(Call("blnShadeStates").value.boolVal(), 0);

  com::SafeArray favourites = com::SafeArray::OfStrings({"kept until loaded"});
  ASSERT_EQ(Call("LoadFavouriteViews", {Variant::ByRef(&favourites)}).hr, com::S_OK);
  EXPECT_EQ(favourites.Strings(), std::vector<std::string>{"kept until loaded"}) << "no file yet: nothing changes";
  ASSERT_EQ(Call("AddToFavouriteViews", {Variant("Chicago|-88,42,-87,41")}).hr, com::S_OK);
  ASSERT_EQ(Call("AddToFavouriteViews", {Variant("Loop|-87.64,41.89,-87.62,41.87")}).hr, com::S_OK);
  ASSERT_EQ(Call("LoadFavouriteViews", {Variant::ByRef(&favourites)}).hr, com::S_OK);
  EXPECT_EQ(favourites.Strings(), (std::vector<std::string>{"Chicago|-88,42,-87,41", "Loop|-87.64,41.89,-87.62,41.87"}));
  ASSERT_EQ(Call("SaveFavouriteViews", {Variant(com::SafeArray::OfStrings({"only this"}))}).hr, com::S_OK);
  ASSERT_EQ(Call("LoadFavouriteViews", {Variant::ByRef(&favourites)}).hr, com::S_OK);
  EXPECT_EQ(favourites.Strings(), std::vector<std::string>{"only this"});
  EXPECT_LT(Call("AddToFavouriteViews", {Variant("two\nlines")}).MemberResult(), 0) << "a line break is refused";
}

TEST_F(Hosting, AHostDrawsMapsThroughTheServer) {
  ASSERT_EQ(activator_->CreateInstance("TarvoServer.clsMapServ", com::IID_IDispatch, server_.PutVoid()), com::S_OK);
  EXPECT_EQ(Call("blnControlOk").value.boolVal(), 0);
  ASSERT_EQ(Call("Initialize", {Variant("K1ABC"), Variant(static_cast<com::IDispatch*>(events_.Get())),
                                Variant(static_cast<com::IDispatch*>(form_.Get()))})
                .hr,
            com::S_OK);
  EXPECT_NE(Call("blnControlOk").value.boolVal(), 0);

  const com::DispatchCall drawn = Call("DrawMapFromCorners", {PictureArg(), Variant(-88.2), Variant(42.2), Variant(-87.3), Variant(41.6)});
  ASSERT_EQ(drawn.hr, com::S_OK) << drawn.excep.bstrDescription;
  EXPECT_NE(drawn.value.boolVal(), 0);
  EXPECT_NEAR(edges_[0], -88.2, 0.3);
  EXPECT_NEAR(edges_[1], -87.3, 0.3);
  EXPECT_GT(MapPixels(), 320 * 240 / 4 / 2) << "the map is in the host's picture";

  // Pan east: the edges move east at the same scale; zooming in narrows them.
  const std::array<double, 4> before = edges_;
  ASSERT_EQ(Call("ZoomPan", {PictureArg(), Variant(std::int16_t{2})}).hr, com::S_OK);
  EXPECT_GT(edges_[0], before[0]);
  EXPECT_NEAR(edges_[1] - edges_[0], before[1] - before[0], 1e-6);
  ASSERT_EQ(Call("ZoomIn", {PictureArg()}).hr, com::S_OK);
  EXPECT_LT(edges_[1] - edges_[0], before[1] - before[0]);
  ASSERT_EQ(Call("DrawMapFromCentre", {PictureArg(), Variant(-100.0), Variant(40.0)}).hr, com::S_OK);
  EXPECT_NEAR((edges_[0] + edges_[1]) / 2, -100, 0.1);
  ASSERT_EQ(Call("ZoomAll", {PictureArg()}).hr, com::S_OK);
  EXPECT_LT(edges_[0], -120);

  // The control's switches through the server's properties.
  ASSERT_EQ(com::InvokeByName(server_.Get(), "blnShadeStates", com::DISPATCH_PROPERTYPUT, {Variant(false)}).hr, com::S_OK);
  EXPECT_EQ(Call("blnShadeStates").value.boolVal(), 0);

  // Out-parameters come back through the host's references.
  com::VARIANT_BOOL pan = 0, in = 0, out = 0, all = 0, panel = 0;
  std::string help, shortName;
  std::int32_t topic = 0;
  com::SafeArray captions;
  captions.ElementType = com::VT_BSTR;
  ASSERT_EQ(Call("GetSupportedFeatures", {Variant::ByRefBool(&pan), Variant::ByRefBool(&in), Variant::ByRefBool(&out),
                                          Variant::ByRefBool(&all), Variant::ByRefBool(&panel), Variant::ByRef(&help),
                                          Variant::ByRef(&topic), Variant::ByRef(&shortName), Variant::ByRef(&captions)})
                .hr,
            com::S_OK);
  EXPECT_EQ(pan, com::VARIANT_TRUE);
  EXPECT_EQ(topic, 30);
  EXPECT_EQ(shortName, "TarvoServer");
  EXPECT_EQ(captions.Strings(), (std::vector<std::string>{"Search", "Hide Mile Marker Line", "Zoom Overlay"}));

  // A second server object can be made once the first is gone.
  server_ = nullptr;
  EXPECT_EQ(activator_->CreateInstance("TarvoServer.clsMapServ", com::IID_IDispatch, server_.PutVoid()), com::S_OK);
}

}  // namespace
}  // namespace quelmar::server
