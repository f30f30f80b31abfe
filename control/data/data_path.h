#pragma once
// Data folders and file names as the configuration writes them (a Windows
// folder such as f:\TARVO50\Data1, "Mrte.zpx") resolved on this file system:
// either separator, and every component matched without regard to case when
// the exact name does not exist, since the data product mixes cases
// ("Mrte.zpx", "mrte.zpx").
#include <filesystem>
#include <optional>
#include <string_view>

namespace quelmar::data {

// The existing path of `name` inside `folder`; nullopt when there is none.
std::optional<std::filesystem::path> ResolveDataFile(std::string_view folder, std::string_view name);

// The existing folder `folder` names; nullopt when there is none.
std::optional<std::filesystem::path> ResolveDataFolder(std::string_view folder);

}  // namespace quelmar::data
