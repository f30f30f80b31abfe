#pragma once
// The folders the layer archives are read from, as a load names them.
#include <string>

namespace quelmar::core {

struct MapFolders {
  std::string States0, States1, Data1, Data2;
};

}  // namespace quelmar::core
