#pragma once
// The view file: "!!TarvoServer.INF" in the "Maps" folder of the host
// program's folder, rewritten at every render so that other programs of the
// host know the corners of the map on show. Three lines, CR LF ended: the
// west and north edges, the east and south edges, the server's name.
// Angles are degrees and minutes with two decimals, always with ".":
// latitude 40.5 is "40.30.00N", longitude -100.25 is "100.15.00W".
#include <filesystem>
#include <string>
#include <system_error>

namespace quelmar::server {

inline constexpr const char* kServerName = "Tarvo Mapping V5 Server";
inline constexpr const char* kServerShortName = "TarvoServer";
inline constexpr const char* kViewFileName = "!!TarvoServer.INF";

std::string LatitudeText(double latitude);
std::string LongitudeText(double longitude);
std::string ViewFileText(double lonLeft, double lonRight, double latTop, double latBottom);

// Writes the text to programFolder/Maps/!!TarvoServer.INF, replacing the
// old file whole or not at all. False (with *error) when the folder is
// missing or the file cannot be written.
bool WriteViewFile(const std::filesystem::path& programFolder, const std::string& text,
                   std::error_code* error = nullptr);

}  // namespace quelmar::server
