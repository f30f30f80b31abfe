#include "platform/com/class_registry.h"

#include <charconv>
#include <cstdlib>
#include <system_error>

#include "platform/com/error_info.h"
#include "platform/kernel/ini_file.h"

namespace quelmar::com {
namespace {

constexpr std::string_view kSource = "ClassRegistry";

std::string ClassSection(const CLSID& clsid) { return "CLSID\\" + GuidToString(clsid); }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The Windows rule for programmatic identifiers. It also keeps them apart
// from the "CLSID\{...}" sections and from characters the file cannot hold.
bool IsValidProgId(std::string_view progId) {
  if (progId.empty() || progId.size() > 39 || IsAsciiDigit(progId.front())) return false;
  for (const char c : progId) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '.' && c != '_') return false;
  }
  return true;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

template <class T>
T ParseOr(std::string_view text, T fallback) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size() ? value : fallback;
}

HRESULT ResultOf(const std::error_code& ec) {
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
      ec == std::errc::read_only_file_system) {
    return E_ACCESSDENIED;
  }
  return E_FAIL;
}

HRESULT Load(const std::filesystem::path& path, kernel::IniFile* ini) {
  if (path.empty()) {
    return ReportError(E_FAIL, kSource, "No class registry: neither QUELMAR_REGISTRY nor HOME is set");
  }
  std::error_code ec;
  if (!ini->Load(path, &ec)) {
    return ReportError(ResultOf(ec), kSource, "Cannot read " + path.string() + ": " + ec.message());
  }
  return S_OK;
}

HRESULT Save(const std::filesystem::path& path, const kernel::IniFile& ini) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  if (!ec) ini.Save(path, &ec);
  if (ec) return ReportError(ResultOf(ec), kSource, "Cannot write " + path.string() + ": " + ec.message());
  return S_OK;
}

// Removes the class and the ProgID section when that still names the class
// (another class may have taken the name since).
bool RemoveClass(kernel::IniFile& ini, const CLSID& clsid) {
  const std::string section = ClassSection(clsid);
  if (!ini.HasSection(section)) return false;
  const std::string progId = ini.GetOr(section, "ProgID", "");
  if (IsValidProgId(progId) && GuidFromString(ini.GetOr(progId, "CLSID", "")) == clsid) {
    ini.RemoveSection(progId);
  }
  ini.RemoveSection(section);
  return true;
}

}  // namespace

std::filesystem::path ClassRegistry::DefaultPath() {
  if (const char* explicitPath = std::getenv("QUELMAR_REGISTRY"); explicitPath && *explicitPath) {
    return explicitPath;
  }
  // As the XDG base directory rules say, an empty or relative value is ignored.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
    return std::filesystem::path(config) / "quelmar" / "registry.ini";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".config" / "quelmar" / "registry.ini";
  }
  return {};
}

HRESULT ClassRegistry::Register(const ClassRegistration& r) {
  if ((!r.progId.empty() && !IsValidProgId(r.progId)) || HasLineBreak(r.libraryPath) ||
      HasLineBreak(r.description) || HasLineBreak(r.version)) {
    return ReportError(E_INVALIDARG, kSource, "Invalid registration of " + GuidToString(r.clsid));
  }
  kernel::IniFile ini;
  if (const HRESULT hr = Load(path_, &ini); Failed(hr)) return hr;

  RemoveClass(ini, r.clsid);
  const std::string section = ClassSection(r.clsid);
  ini.Set(section, "Description", r.description);
  ini.Set(section, "InprocServer32", r.libraryPath);
  if (!r.progId.empty()) ini.Set(section, "ProgID", r.progId);
  if (r.control) ini.Set(section, "Control", "1");
  if (r.toolboxBitmap != 0) {
    ini.Set(section, "ToolboxBitmap32", r.libraryPath + "," + std::to_string(r.toolboxBitmap));
  }
  ini.Set(section, "MiscStatus", std::to_string(r.miscStatus));
  if (r.typeLib != GUID{}) ini.Set(section, "TypeLib", GuidToString(r.typeLib));
  if (!r.version.empty()) ini.Set(section, "Version", r.version);

  if (!r.progId.empty()) {
    ini.RemoveSection(r.progId);  // it may have named another class
    ini.Set(r.progId, "CLSID", GuidToString(r.clsid));
  }
  return Save(path_, ini);
}

HRESULT ClassRegistry::Unregister(const CLSID& clsid) {
  kernel::IniFile ini;
  if (const HRESULT hr = Load(path_, &ini); Failed(hr)) return hr;
  if (!RemoveClass(ini, clsid)) return S_FALSE;
  return Save(path_, ini);
}

std::optional<ClassRegistration> ClassRegistry::Find(const CLSID& clsid) const {
  kernel::IniFile ini;
  if (Failed(Load(path_, &ini))) return std::nullopt;
  const std::string section = ClassSection(clsid);
  if (!ini.HasSection(section)) return std::nullopt;

  ClassRegistration r;
  r.clsid = clsid;
  r.description = ini.GetOr(section, "Description", "");
  r.libraryPath = ini.GetOr(section, "InprocServer32", "");
  r.progId = ini.GetOr(section, "ProgID", "");
  const std::optional<std::string> control = ini.Get(section, "Control");
  r.control = control && *control != "0";
  const std::string bitmap = ini.GetOr(section, "ToolboxBitmap32", "");
  if (const size_t comma = bitmap.rfind(','); comma != std::string::npos) {
    r.toolboxBitmap = ParseOr<int>(std::string_view(bitmap).substr(comma + 1), 0);
  }
  r.miscStatus = ParseOr<std::uint32_t>(ini.GetOr(section, "MiscStatus", ""), 0);
  r.typeLib = GuidFromString(ini.GetOr(section, "TypeLib", "")).value_or(GUID{});
  r.version = ini.GetOr(section, "Version", "");
  return r;
}

std::optional<CLSID> ClassRegistry::ClsidFromProgId(std::string_view progId) const {
  if (!IsValidProgId(progId)) return std::nullopt;
  kernel::IniFile ini;
  if (Failed(Load(path_, &ini))) return std::nullopt;
  return GuidFromString(ini.GetOr(progId, "CLSID", ""));
}

}  // namespace quelmar::com
