#pragma once
// ClassRegistry: which library serves which class, kept in an INI-style text
// file shared by every program of the user.
//
//   [CLSID\{5B1F6B0E-...}]
//   Description=Map Control
//   InprocServer32=/opt/quelmar/lib/libquelmar50.so
//   ProgID=Quelmar50.Tarvo
//   Control=1
//   ToolboxBitmap32=/opt/quelmar/lib/libquelmar50.so,401
//   MiscStatus=73728
//   TypeLib={...}
//   Version=5.0
//
//   [Quelmar50.Tarvo]
//   CLSID={5B1F6B0E-...}
//
// Every call reads the file afresh, so registrations made by other processes
// are seen at once; writes replace the file atomically.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace quelmar::com {

struct ClassRegistration {
  CLSID clsid;
  std::string progId;       // "Library.Class"; empty for none
  std::string libraryPath;  // the in-process server, UTF-8
  std::string description;
  int toolboxBitmap = 0;  // resource number of the toolbox bitmap; 0 for none
  std::uint32_t miscStatus = 0;
  GUID typeLib;
  std::string version;  // of the type library, "5.0"
  bool control = false;
};

class ClassRegistry {
 public:
  // $QUELMAR_REGISTRY when set, else $XDG_CONFIG_HOME/quelmar/registry.ini,
  // else $HOME/.config/quelmar/registry.ini; empty when none is known.
  static std::filesystem::path DefaultPath();

  ClassRegistry() : ClassRegistry(DefaultPath()) {}
  explicit ClassRegistry(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  // Writes the class and its programmatic identifier, replacing an older
  // entry of the same class; creates the folder when missing. E_INVALIDARG
  // for a ProgID that is not letters, digits, '.' and '_' (at most 39, not
  // starting with a digit) or text with line breaks; E_ACCESSDENIED or E_FAIL,
  // with error information, when the file cannot be written.
  HRESULT Register(const ClassRegistration& registration);
  // Removes the class and the ProgID that names it; S_FALSE when it was not
  // registered.
  HRESULT Unregister(const CLSID& clsid);

  std::optional<ClassRegistration> Find(const CLSID& clsid) const;
  // ProgIDs are compared without regard to letter case.
  std::optional<CLSID> ClsidFromProgId(std::string_view progId) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quelmar::com
