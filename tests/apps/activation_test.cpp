// Creating the control from its library through a class registry, by
// programmatic identifier and by class identifier, as hosts do.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>

#include "platform/com/activation.h"
#include "platform/com/class_registry.h"
#include "platform/com/com_ptr.h"
#include "platform/com/server_exports.h"

namespace {

namespace fs = std::filesystem;
using namespace quelmar;

constexpr char kTarvoClsid[] = "{5C3A7E13-41D2-4F6B-9A13-6E0B52C47101}";

class Activation : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() / ("quelmar-activation-" + std::to_string(::getpid()) + ".ini");
    fs::remove(path_);
  }
  void TearDown() override { fs::remove(path_); }
  fs::path path_;
};

TEST_F(Activation, TheLibraryRegistersItselfAndIsCreatedByNameOrIdentifier) {
  ::setenv("QUELMAR_REGISTRY", path_.c_str(), 1);
  {
    com::Activator loader{com::ClassRegistry(path_)};
    // Self-registration through the library's own entry point.
    void* handle = ::dlopen(QUELMAR50_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    auto registerServer = reinterpret_cast<com::DllRegisterServerFunction>(::dlsym(handle, "DllRegisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), com::S_OK);
    ::dlclose(handle);
  }
  com::ClassRegistry registry(path_);
  const std::optional<com::CLSID> clsid = registry.ClsidFromProgId("quelmar50.tarvo");
  ASSERT_TRUE(clsid);
  EXPECT_EQ(com::GuidToString(*clsid), kTarvoClsid);
  const std::optional<com::ClassRegistration> entry = registry.Find(*clsid);
  ASSERT_TRUE(entry);
  EXPECT_EQ(fs::canonical(entry->libraryPath), fs::canonical(QUELMAR50_LIBRARY));
  EXPECT_TRUE(entry->control);
  EXPECT_EQ(entry->miscStatus, 0x12000u);

  com::Activator activator{com::ClassRegistry(path_)};
  for (const char* name : {"Quelmar50.Tarvo", kTarvoClsid}) {
    com::ComPtr<com::IDispatch> control;
    ASSERT_EQ(activator.CreateInstance(name, com::IID_IDispatch, control.PutVoid()), com::S_OK) << name;
    const std::string member = "LonLeft";
    com::DISPID id = 0;
    EXPECT_EQ(control->GetIDsOfNames(com::GUID{}, &member, 1, 0, &id), com::S_OK);
    EXPECT_EQ(id, 18);
  }

  // Unregistered, the class is gone.
  ASSERT_EQ(registry.Unregister(*clsid), com::S_OK);
  com::Activator after{com::ClassRegistry(path_)};
  com::ComPtr<com::IDispatch> none;
  EXPECT_EQ(after.CreateInstance("Quelmar50.Tarvo", com::IID_IDispatch, none.PutVoid()), com::CO_E_CLASSSTRING);
  ::unsetenv("QUELMAR_REGISTRY");
}

}  // namespace
