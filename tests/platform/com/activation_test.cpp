#include "platform/com/activation.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"
#include "platform/com/error_info.h"
#include "platform/com/variant.h"
#include "platform/kernel/test_files.h"

namespace quelmar::com {
namespace {

using quelmar::testing::ScopedEnv;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;

constexpr CLSID kSomeClass = MakeGuid(0x0BADC0DE, 0x0001, 0x0002, {3, 4, 5, 6, 7, 8, 9, 10});
constexpr CLSID kGreeterClsid =
    MakeGuid(0x5EED0001, 0x0000, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01});

ClassRegistration At(const std::string& libraryPath) {
  ClassRegistration r;
  r.clsid = kSomeClass;
  r.progId = "Some.Class";
  r.libraryPath = libraryPath;
  return r;
}

TEST(ComActivatorTest, FailuresSayWhatIsWrong) {
  TempDir dir;
  WriteText(dir / "not-a-library.so", "plain text");
  // A real shared library without the entry point: the platform library itself.
  const std::string platformLibrary = ThisLibraryPath(reinterpret_cast<const void*>(&GuidToString));
  ASSERT_FALSE(platformLibrary.empty());

  struct Case {
    const char* name;
    std::optional<ClassRegistration> registration;
    const char* request;
    HRESULT hr;
    std::string inDescription;
  };
  const Case cases[] = {
      {"class not registered", std::nullopt, "{0BADC0DE-0001-0002-0304-05060708090A}", REGDB_E_CLASSNOTREG,
       "{0BADC0DE-0001-0002-0304-05060708090A}"},
      {"unknown ProgID", std::nullopt, "No.Such.Class", CO_E_CLASSSTRING, "No.Such.Class"},
      {"malformed class text", std::nullopt, "{0BADC0DE}", CO_E_CLASSSTRING, "{0BADC0DE}"},
      {"no library named", At(""), "Some.Class", REGDB_E_CLASSNOTREG, "not registered"},
      {"library missing", At((dir / "gone.so").string()), "Some.Class", CO_E_DLLNOTFOUND,
       (dir / "gone.so").string()},
      {"not a library", At((dir / "not-a-library.so").string()), "Some.Class", CO_E_DLLNOTFOUND,
       "not-a-library.so"},
      {"no entry point", At(platformLibrary), "some.class", CO_E_ERRORINDLL, "DllGetClassObject"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClassRegistry registry(dir / "registry.ini");
    registry.Unregister(kSomeClass);
    if (c.registration) {
      ASSERT_EQ(registry.Register(*c.registration), S_OK);
    }
    Activator activator(registry);
    ClearErrorInfo();
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(activator.CreateInstance(c.request, IID_IDispatch, &object), c.hr);
    EXPECT_EQ(object, nullptr);
    const std::optional<ErrorInfo> info = GetErrorInfo();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->source, "Activator");
    EXPECT_NE(info->description.find(c.inDescription), std::string::npos) << info->description;
  }
}

TEST(ComActivatorTest, NullOutParameterIsRefused) {
  TempDir dir;
  Activator activator{ClassRegistry(dir / "registry.ini")};
  EXPECT_EQ(activator.CreateInstance(kSomeClass, IID_IDispatch, nullptr), E_POINTER);
  EXPECT_EQ(activator.CreateInstance("Some.Class", IID_IDispatch, nullptr), E_POINTER);
}

TEST(ComActivatorTest, ThisLibraryPathNamesTheFileThatHoldsTheAddress) {
  const std::string path = ThisLibraryPath(reinterpret_cast<const void*>(&GuidToString));
  EXPECT_TRUE(std::filesystem::path(path).is_absolute()) << path;
  EXPECT_NE(path.find("quelmar_platform"), std::string::npos) << path;
  EXPECT_EQ(ThisLibraryPath(nullptr), "");
}

// The tests below load a small server library built beside this program.
class ComActivatorServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto built = std::filesystem::canonical("/proc/self/exe").parent_path() / "libquelmar_fake_server.so";
    if (!std::filesystem::exists(built)) GTEST_SKIP() << "test server library not built: " << built;
    // A private copy, so that each test loads (and may unload) its own instance.
    library_ = dir_ / "libfake_server.so";
    std::filesystem::copy_file(built, library_);
    SelfRegister();
  }

  // What a setup program does: load the library and call DllRegisterServer,
  // which writes the registry named by QUELMAR_REGISTRY.
  void SelfRegister() {
    ScopedEnv registryPath("QUELMAR_REGISTRY", registry_.path().string());
    void* handle = dlopen(library_.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto registerServer = reinterpret_cast<DllRegisterServerFunction>(dlsym(handle, "DllRegisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
    dlclose(handle);
  }

  bool LibraryLoaded() const {
    void* handle = dlopen(library_.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
  }

  static std::string Greet(IDispatch* greeter) {
    DISPPARAMS none;
    Variant result;
    EXCEPINFO exception;
    std::uint32_t argError = 0;
    const HRESULT hr = greeter->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, &exception, &argError);
    return Succeeded(hr) ? result.bstr() : FormatHResult(hr);
  }

  TempDir dir_;
  ClassRegistry registry_{dir_ / "registry.ini"};
  std::filesystem::path library_;
};

TEST_F(ComActivatorServerTest, SelfRegistrationNamesTheLibrary) {
  const std::optional<ClassRegistration> found = registry_.Find(kGreeterClsid);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->libraryPath, std::filesystem::canonical(library_).string());
  EXPECT_EQ(found->progId, "Fake.Greeter");
}

TEST_F(ComActivatorServerTest, CreatesByProgIdClassTextOrClassId) {
  Activator activator(registry_);
  const std::string byText = GuidToString(kGreeterClsid);
  const std::string lowerNoBraces = "5eed0001-0000-4000-8000-000000000001";
  for (const std::string& request : {std::string("Fake.Greeter"), std::string("fake.greeter"), byText, lowerNoBraces}) {
    SCOPED_TRACE(request);
    ComPtr<IDispatch> greeter;
    ASSERT_EQ(activator.CreateInstance(request, IID_IDispatch, greeter.PutVoid()), S_OK);
    EXPECT_EQ(Greet(greeter.Get()), "hello");
  }
  ComPtr<IDispatch> greeter;
  ASSERT_EQ(activator.CreateInstance(kGreeterClsid, IID_IDispatch, greeter.PutVoid()), S_OK);
  EXPECT_EQ(Greet(greeter.Get()), "hello");

  void* none = nullptr;
  EXPECT_EQ(activator.CreateInstance(kGreeterClsid, IID_IConnectionPointContainer, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ComActivatorServerTest, ClassTheLibraryDoesNotServe) {
  ClassRegistration wrong = At(std::filesystem::canonical(library_).string());
  ASSERT_EQ(registry_.Register(wrong), S_OK);
  Activator activator(registry_);
  void* object = nullptr;
  EXPECT_EQ(activator.CreateInstance(kSomeClass, IID_IDispatch, &object), CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(ComActivatorServerTest, UnloadsTheLibraryOnlyWhenNothingIsAlive) {
  {
    Activator activator(registry_);
    ComPtr<IDispatch> greeter;
    ASSERT_EQ(activator.CreateInstance("Fake.Greeter", IID_IDispatch, greeter.PutVoid()), S_OK);
    EXPECT_TRUE(LibraryLoaded());
  }
  EXPECT_FALSE(LibraryLoaded());
}

TEST_F(ComActivatorServerTest, LiveObjectsKeepTheLibraryLoaded) {
  ComPtr<IDispatch> survivor;
  {
    Activator activator(registry_);
    ASSERT_EQ(activator.CreateInstance("Fake.Greeter", IID_IDispatch, survivor.PutVoid()), S_OK);
  }
  EXPECT_TRUE(LibraryLoaded());
  EXPECT_EQ(Greet(survivor.Get()), "hello");  // its code is still there
  survivor.Reset();
}

TEST_F(ComActivatorServerTest, ServerLockKeepsTheLibraryLoaded) {
  ComPtr<IClassFactory> factory;
  {
    Activator activator(registry_);
    ASSERT_EQ(activator.GetClassObject(kGreeterClsid, IID_IClassFactory, factory.PutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(true), S_OK);
    factory.Reset();  // the factory itself does not count; the lock does
  }
  EXPECT_TRUE(LibraryLoaded());
}

}  // namespace
}  // namespace quelmar::com
