#pragma once
// The resources compiled into the control library: byte arrays found by a
// resource type and name, like the resources of a Windows module. The two
// built-in archives are type "TARVO" and type "HMAP", both named "Zipdata_1".
//
// The bytes are linked in from a separate library (quelmar_resources) that
// only the control library and the tests link: programs that build the
// resources themselves link the engine without them and find none.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quelmar::data {

struct ResourceEntry {
  const char* type;
  const char* name;
  const std::uint8_t* data;
  std::size_t size;
};

// The bytes of a resource (type and name compared without regard to case);
// nullopt when the module has no such resource.
std::optional<std::span<const std::uint8_t>> FindBuiltInResource(std::string_view type, std::string_view name);

}  // namespace quelmar::data
