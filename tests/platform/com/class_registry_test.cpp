#include "platform/com/class_registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/com/error_info.h"
#include "platform/kernel/test_files.h"

namespace quelmar::com {
namespace {

using quelmar::testing::ReadText;
using quelmar::testing::ScopedEnv;
using quelmar::testing::ScopedFileSizeLimit;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;

constexpr CLSID kControl = MakeGuid(0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55});
constexpr CLSID kOther = MakeGuid(0xAAAAAAAA, 0xBBBB, 0xCCCC, {0xDD, 0xDD, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
constexpr GUID kTypeLib = MakeGuid(0x99999999, 0x8888, 0x7777, {0x66, 0x66, 0x55, 0x55, 0x44, 0x44, 0x33, 0x33});

ClassRegistration ControlRegistration() {
  ClassRegistration r;
  r.clsid = kControl;
  r.progId = "Quelmar50.Tarvo";
  r.libraryPath = "/opt/quelmar/lib/libquelmar50.so";
  r.description = "Mapping Control";
  r.toolboxBitmap = 401;
  r.miscStatus = 0x12000;
  r.typeLib = kTypeLib;
  r.version = "5.0";
  r.control = true;
  return r;
}

void ExpectSame(const ClassRegistration& a, const ClassRegistration& b) {
  EXPECT_EQ(a.clsid, b.clsid);
  EXPECT_EQ(a.progId, b.progId);
  EXPECT_EQ(a.libraryPath, b.libraryPath);
  EXPECT_EQ(a.description, b.description);
  EXPECT_EQ(a.toolboxBitmap, b.toolboxBitmap);
  EXPECT_EQ(a.miscStatus, b.miscStatus);
  EXPECT_EQ(a.typeLib, b.typeLib);
  EXPECT_EQ(a.version, b.version);
  EXPECT_EQ(a.control, b.control);
}

TEST(ComClassRegistryTest, RegisterWritesBothSectionsAndFindReadsThemBack) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);

  const std::string text = ReadText(registry.path());
  EXPECT_NE(text.find("[CLSID\\{11111111-2222-3333-4444-555555555555}]\n"), std::string::npos) << text;
  EXPECT_NE(text.find("InprocServer32=/opt/quelmar/lib/libquelmar50.so\n"), std::string::npos);
  EXPECT_NE(text.find("ToolboxBitmap32=/opt/quelmar/lib/libquelmar50.so,401\n"), std::string::npos);
  EXPECT_NE(text.find("MiscStatus=73728\n"), std::string::npos);
  EXPECT_NE(text.find("Control=1\n"), std::string::npos);
  EXPECT_NE(text.find("[Quelmar50.Tarvo]\nCLSID={11111111-2222-3333-4444-555555555555}\n"), std::string::npos);

  const std::optional<ClassRegistration> found = registry.Find(kControl);
  ASSERT_TRUE(found);
  ExpectSame(*found, ControlRegistration());
  EXPECT_EQ(registry.Find(kOther), std::nullopt);
}

TEST(ComClassRegistryTest, MinimalRegistrationRoundTrips) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ClassRegistration plain;
  plain.clsid = kOther;
  plain.libraryPath = "/lib/libserver.so";
  ASSERT_EQ(registry.Register(plain), S_OK);
  ExpectSame(*registry.Find(kOther), plain);
}

TEST(ComClassRegistryTest, ProgIdLookupIgnoresCase) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  for (const char* name : {"Quelmar50.Tarvo", "quelmar50.tarvo", "QUELMAR50.TARVO"}) {
    EXPECT_EQ(registry.ClsidFromProgId(name), kControl) << name;
  }
  for (const char* name : {"Quelmar50", "Quelmar50.Tarvo2", "", "CLSID\\{11111111-2222-3333-4444-555555555555}"}) {
    EXPECT_EQ(registry.ClsidFromProgId(name), std::nullopt) << name;
  }
}

TEST(ComClassRegistryTest, RegisteringAgainReplacesTheOlderEntry) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  ClassRegistration moved = ControlRegistration();
  moved.progId = "Quelmar51.Tarvo";
  moved.libraryPath = "/usr/lib/libquelmar50.so";
  moved.control = false;
  moved.toolboxBitmap = 0;
  ASSERT_EQ(registry.Register(moved), S_OK);

  ExpectSame(*registry.Find(kControl), moved);
  EXPECT_EQ(registry.ClsidFromProgId("Quelmar50.Tarvo"), std::nullopt);
  EXPECT_EQ(registry.ClsidFromProgId("Quelmar51.Tarvo"), kControl);
  EXPECT_EQ(ReadText(registry.path()).find("/opt/quelmar"), std::string::npos);
}

TEST(ComClassRegistryTest, UnregisterRemovesClassAndItsOwnProgIdOnly) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  ClassRegistration other = ControlRegistration();
  other.clsid = kOther;
  other.progId = "Other.Class";
  ASSERT_EQ(registry.Register(other), S_OK);

  ASSERT_EQ(registry.Unregister(kControl), S_OK);
  EXPECT_EQ(registry.Find(kControl), std::nullopt);
  EXPECT_EQ(registry.ClsidFromProgId("Quelmar50.Tarvo"), std::nullopt);
  EXPECT_TRUE(registry.Find(kOther));
  EXPECT_EQ(registry.Unregister(kControl), S_FALSE);

  // A ProgID taken over by another class stays when the first class goes.
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  other.progId = "Quelmar50.Tarvo";
  ASSERT_EQ(registry.Register(other), S_OK);
  ASSERT_EQ(registry.Unregister(kControl), S_OK);
  EXPECT_EQ(registry.ClsidFromProgId("Quelmar50.Tarvo"), kOther);
}

TEST(ComClassRegistryTest, RejectsNamesTheFileCannotHold) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  const std::pair<const char*, std::string ClassRegistration::*> cases[] = {
      {"1Starts.WithDigit", &ClassRegistration::progId},
      {"Has Space", &ClassRegistration::progId},
      {"Has]Bracket", &ClassRegistration::progId},
      {"Has=Equals", &ClassRegistration::progId},
      {"CLSID\\{11111111-2222-3333-4444-555555555555}", &ClassRegistration::progId},
      {"A123456789.123456789.123456789.123456789", &ClassRegistration::progId},  // 40 characters
      {"/lib/a\nInprocServer32=/evil.so", &ClassRegistration::libraryPath},
      {"two\r\nlines", &ClassRegistration::description},
  };
  for (const auto& [text, field] : cases) {
    SCOPED_TRACE(text);
    ClassRegistration r = ControlRegistration();
    r.*field = text;
    ClearErrorInfo();
    EXPECT_EQ(registry.Register(r), E_INVALIDARG);
    EXPECT_TRUE(GetErrorInfo());
  }
  EXPECT_FALSE(std::filesystem::exists(registry.path()));
}

TEST(ComClassRegistryTest, MalformedLinesAreSkipped) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  WriteText(registry.path(),
            "garbage without equals\n"
            "[unterminated\n"
            "[CLSID\\{11111111-2222-3333-4444-555555555555}]\r\n"
            "InprocServer32=/lib/libquelmar50.so\r\n"
            "MiscStatus=lots\r\n"
            "ToolboxBitmap32=no comma\r\n"
            "TypeLib={not a guid}\r\n"
            "=orphan value\r\n"
            "[Broken.ProgId]\n"
            "CLSID={1234}\n");
  const std::optional<ClassRegistration> found = registry.Find(kControl);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->libraryPath, "/lib/libquelmar50.so");
  EXPECT_EQ(found->miscStatus, 0u);
  EXPECT_EQ(found->toolboxBitmap, 0);
  EXPECT_EQ(found->typeLib, GUID{});
  EXPECT_FALSE(found->control);
  EXPECT_EQ(registry.ClsidFromProgId("Broken.ProgId"), std::nullopt);

  // Writing keeps the good entries.
  ClassRegistration other = ControlRegistration();
  other.clsid = kOther;
  other.progId = "Other.Class";
  ASSERT_EQ(registry.Register(other), S_OK);
  EXPECT_EQ(registry.Find(kControl)->libraryPath, "/lib/libquelmar50.so");
}

TEST(ComClassRegistryTest, CreatesTheFolderWhenMissing) {
  TempDir dir;
  ClassRegistry registry(dir / "config/quelmar/registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  EXPECT_TRUE(registry.Find(kControl));
}

TEST(ComClassRegistryTest, MissingFileHasNoClasses) {
  TempDir dir;
  ClassRegistry registry(dir / "absent.ini");
  EXPECT_EQ(registry.Find(kControl), std::nullopt);
  EXPECT_EQ(registry.ClsidFromProgId("Quelmar50.Tarvo"), std::nullopt);
  EXPECT_EQ(registry.Unregister(kControl), S_FALSE);
  EXPECT_FALSE(std::filesystem::exists(registry.path()));
}

TEST(ComClassRegistryTest, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  const std::string before = ReadText(registry.path());
  ClassRegistration other = ControlRegistration();
  other.clsid = kOther;
  other.progId = "Other.Class";

  HRESULT hr = S_OK;
  ClearErrorInfo();
  {
    ScopedFileSizeLimit limit(16);
    hr = registry.Register(other);
  }
  EXPECT_EQ(hr, E_FAIL);
  const std::optional<ErrorInfo> info = GetErrorInfo();
  ASSERT_TRUE(info);
  EXPECT_NE(info->description.find(registry.path().string()), std::string::npos) << info->description;
  EXPECT_EQ(ReadText(registry.path()), before);
  EXPECT_EQ(quelmar::testing::FileCount(dir.path()), 1u);
}

TEST(ComClassRegistryTest, UnwritableFolderKeepsTheOldFile) {
  TempDir dir;
  ClassRegistry registry(dir / "registry.ini");
  ASSERT_EQ(registry.Register(ControlRegistration()), S_OK);
  const std::string before = ReadText(registry.path());
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  if (access(dir.path().c_str(), W_OK) == 0) GTEST_SKIP() << "permission bits do not bind this process";
  EXPECT_EQ(registry.Unregister(kControl), E_ACCESSDENIED);
  EXPECT_EQ(ReadText(registry.path()), before);
}

TEST(ComClassRegistryTest, DefaultPathFollowsTheEnvironment) {
  using Env = std::optional<std::string>;
  struct Case {
    Env registry, xdg, home;
    const char* path;
  };
  const Case cases[] = {
      {"/etc/quelmar.ini", "/xdg", "/home/u", "/etc/quelmar.ini"},
      {"", "/xdg", "/home/u", "/xdg/quelmar/registry.ini"},
      {std::nullopt, "/xdg", "/home/u", "/xdg/quelmar/registry.ini"},
      {std::nullopt, "relative/xdg", "/home/u", "/home/u/.config/quelmar/registry.ini"},
      {std::nullopt, "", "/home/u", "/home/u/.config/quelmar/registry.ini"},
      {std::nullopt, std::nullopt, "/home/u", "/home/u/.config/quelmar/registry.ini"},
      {std::nullopt, std::nullopt, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ScopedEnv registry("QUELMAR_REGISTRY", c.registry);
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(ClassRegistry::DefaultPath(), c.path);
    EXPECT_EQ(ClassRegistry().path(), c.path);
  }
}

TEST(ComClassRegistryTest, NoKnownPathFailsWithErrorInfo) {
  ClassRegistry registry{std::filesystem::path()};
  ClearErrorInfo();
  EXPECT_EQ(registry.Register(ControlRegistration()), E_FAIL);
  EXPECT_TRUE(GetErrorInfo());
  EXPECT_EQ(registry.Find(kControl), std::nullopt);
}

}  // namespace
}  // namespace quelmar::com
