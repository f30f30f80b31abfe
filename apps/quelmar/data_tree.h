#pragma once
// The map data tree a host run uses: named with --data, else the tree the
// README's main command builds ($QUELMAR_DATA, else
// ~/.local/share/quelmar/map), else none (the control's built-in base map
// alone). Its MAP.INI names the folders, which go to the control's data
// path properties before the first paint.
#include <optional>
#include <string>

#include "apps/quelmar/control_host.h"

namespace quelmar::app {

struct DataTree {
  std::string States, Data1, Data2, Data3;
};

// The tree's folders from `folder`/MAP.INI. Nullopt, with `error` set, when
// `folder` has no readable MAP.INI.
std::optional<DataTree> ReadDataTree(const std::string& folder, std::string* error);

// The folder of the default tree, or "" when there is none.
std::string DefaultDataFolder();

// Sets the control's data path properties to the tree's folders.
bool ApplyDataTree(ControlHost& host, const DataTree& tree, std::string* error);

// --data given: that tree (an error when it is not one); else the default
// tree when there is one. False with `error` set on failure.
bool UseDataTree(ControlHost& host, const std::string& option, std::string* error);

}  // namespace quelmar::app
